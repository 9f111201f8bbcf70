#include "core/cartesian/missing_table_entries.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>

#include "core/common/decimal_parse.h"
#include "core/common/field_reader.h"
#include "core/common/rounding.h"
#include "core/common/user_error.h"

namespace cpt {
namespace {

std::string inQuotes(std::string_view text) {
    std::string quoted(1, '"');
    quoted += quotedExcerpt(text);
    quoted += '"';
    return quoted;
}

// The whole answer as a number; a decimal comma is taken as well, as the
// semicolon tables write it.
std::optional<double> numberTyped(std::string_view answer) {
    const auto first = answer.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    std::string text(answer.substr(first, answer.find_last_not_of(" \t") - first + 1));
    if (text.find('.') == std::string::npos && std::count(text.begin(), text.end(), ',') == 1) {
        std::replace(text.begin(), text.end(), ',', '.');
    }
    const std::optional<double> value = parseDecimalExactly(text);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

std::optional<std::int32_t> sampleSizeTyped(std::string_view answer) {
    const std::optional<double> value = numberTyped(answer);
    if (!value || *value != std::floor(*value) || *value < 1) return std::nullopt;
    return toInt32(*value);
}

template <typename T>
T askUntilUsable(Dialogs& dialogs, const std::string& prompt, const std::string& title, const std::string& expected,
                 const std::function<std::optional<T>(std::string_view)>& parse) {
    for (;;) {
        const std::optional<std::string> answer = dialogs.inputBox(prompt, title, "");
        if (!answer) throw Cancelled();
        if (std::optional<T> value = parse(*answer)) return *value;
        dialogs.tell(expected + "; " + inQuotes(*answer) + " is not.\nPlease enter it again.", title);
    }
}

}  // namespace

void askMissingTableEntries(Dialogs& dialogs, Treatment& treatment, std::string_view fileName) {
    const std::string table = "The table " + inQuotes(fileName);
    const std::string name = inQuotes(treatment.name);
    if (treatment.sampleSizeMissing) {
        treatment.sampleSize = askUntilUsable<std::int32_t>(
            dialogs, table + " gives no sample size for treatment " + name + ".\nEnter its sample size n:",
            "Sample size", "The sample size must be a whole number of at least 1", sampleSizeTyped);
        treatment.sampleSizeMissing = false;
    }
    if (treatment.estimateMissing) {
        treatment.estimate = askUntilUsable<double>(
            dialogs,
            table + " gives no estimate for treatment " + name +
                " (the parameter's value for the full sample).\nEnter the estimate:",
            "Estimate", "The estimate must be a number", numberTyped);
        treatment.estimateMissing = false;
    }
}

}  // namespace cpt
