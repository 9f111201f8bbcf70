#include "web/page_read_options.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/common/decimal_parse.h"
#include "core/common/field_reader.h"

namespace cpt::web {
namespace {

using emscripten::val;

bool given(const val& value) { return !value.isUndefined() && !value.isNull(); }

// The fields of a {name: text} object that are not empty.
std::vector<std::pair<std::string, std::string>> filledFields(const val& fields) {
    std::vector<std::pair<std::string, std::string>> filled;
    if (!given(fields)) return filled;
    const val names = val::global("Object").call<val>("keys", fields);
    const int count = names["length"].as<int>();
    for (int k = 0; k < count; ++k) {
        const std::string name = names[k].as<std::string>();
        const std::string text = fields[name].as<std::string>();
        if (!text.empty()) filled.emplace_back(name, text);
    }
    return filled;
}

std::string quoted(const std::string& text) { return "\"" + quotedExcerpt(text) + "\""; }

}  // namespace

std::optional<std::string> takePageReadOptions(const val& request, ReadOptions& options) {
    if (given(request["parameter"]) && !request["parameter"].as<std::string>().empty()) {
        options.parameter = request["parameter"].as<std::string>();
    }
    for (const auto& [name, text] : filledFields(request["sampleSizes"])) {
        const std::optional<std::int32_t> n = sampleSizeOf(text);
        if (!n) {
            return "The sample size n of treatment " + quoted(name) + " is a whole number of at least 1, not " +
                   quoted(text) + ".";
        }
        options.sampleSizes[name] = *n;
    }
    if (given(request["sampleSize"]) && !request["sampleSize"].as<std::string>().empty()) {
        const std::string text = request["sampleSize"].as<std::string>();
        const std::optional<std::int32_t> n = sampleSizeOf(text);
        if (!n) {
            return "The sample size n of every other treatment is a whole number of at least 1, not " + quoted(text) +
                   ".";
        }
        options.sampleSize = *n;
    }
    for (const auto& [name, text] : filledFields(request["estimates"])) {
        const std::optional<double> x = parseDecimalExactly(text);
        if (!x || !std::isfinite(*x)) {
            return "The estimate of treatment " + quoted(name) + " is a number, not " + quoted(text) + ".";
        }
        options.estimates[name] = *x;
    }
    return std::nullopt;
}

}  // namespace cpt::web
