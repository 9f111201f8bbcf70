#include "cli/read_options_text.h"

#include <charconv>
#include <cmath>

#include "core/common/decimal_parse.h"
#include "xlsx/read_treatments.h"

namespace cpt::cli {

std::optional<std::string> takeReadOptions(const std::string& parameter, const std::string& sheet,
                                           const std::vector<std::string>& sampleSizes,
                                           const std::vector<std::string>& estimates, ReadOptions& options) {
    if (!parameter.empty()) options.parameter = parameter;
    if (!sheet.empty()) options.sheet = sheet;
    for (const std::string& given : sampleSizes) {
        const std::size_t equals = given.rfind('=');
        const std::string name = equals == std::string::npos ? std::string() : given.substr(0, equals);
        const std::optional<std::int32_t> n =
            sampleSizeOf(equals == std::string::npos ? given : given.substr(equals + 1));
        if (!n || (equals != std::string::npos && name.empty())) {
            return "--sample-size takes NAME=N or N, a whole number of at least 1, not \"" + given + "\".";
        }
        if (equals == std::string::npos) {
            options.sampleSize = *n;
        } else {
            options.sampleSizes[name] = *n;
        }
    }
    for (const std::string& given : estimates) {
        const std::size_t equals = given.rfind('=');
        const std::optional<double> x =
            equals == std::string::npos ? std::nullopt : parseDecimalExactly(given.substr(equals + 1));
        if (equals == std::string::npos || equals == 0 || !x || !std::isfinite(*x)) {
            return "--estimate takes NAME=X, X a number, not \"" + given + "\".";
        }
        options.estimates[given.substr(0, equals)] = *x;
    }
    return std::nullopt;
}

std::vector<Treatment> readAnyTreatments(const std::filesystem::path& path, const ReadOptions& options) {
    return readTreatments(path, options);
}

}  // namespace cpt::cli
