#include "desktop_model/cartesian/missing_table_entries.h"

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

std::string trimmed(std::string_view answer) {
    const auto first = answer.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(answer.substr(first, answer.find_last_not_of(" \t") - first + 1));
}

constexpr std::string_view SampleSizeExpected = "The sample size must be a whole number of at least 1";
constexpr std::string_view EstimateExpected = "The estimate must be a number";

}  // namespace

// A decimal comma is taken as well, as the semicolon tables write it.
std::optional<double> estimateTyped(std::string_view answer) {
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
    const std::optional<double> value = estimateTyped(answer);
    if (!value || *value != std::floor(*value) || *value < 1) return std::nullopt;
    return toInt32(*value);
}

std::string sampleSizeRefusal(std::string_view answer) {
    return std::string(SampleSizeExpected) + "; " + inQuotes(answer) + " is not.";
}

std::string estimateRefusal(std::string_view answer) {
    return std::string(EstimateExpected) + "; " + inQuotes(answer) + " is not.";
}

namespace {

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

std::string listed(const std::vector<std::string>& codes) {
    std::string text;
    for (std::size_t k = 0; k < codes.size(); ++k) {
        if (k > 0) text += k + 1 == codes.size() ? " and " : ", ";
        text += quotedExcerpt(codes[k]);
    }
    return text;
}

}  // namespace

std::string askTableParameterCode(Dialogs& dialogs, std::string_view fileName, const std::string& defaultCode) {
    constexpr std::string_view Title = "Parameter";
    const std::string prompt = "The table " + inQuotes(fileName) +
                               " has no column \"parameter\".\nEnter the code of its parameter (the report and "
                               "its file name carry it):";
    for (;;) {
        const std::optional<std::string> answer = dialogs.inputBox(prompt, Title, defaultCode);
        if (!answer) throw Cancelled();
        std::string code = trimmed(*answer);
        if (!code.empty()) return code;
        dialogs.tell("The code must not be empty.\nPlease enter it again.", Title);
    }
}

void chooseTableParameter(Dialogs& dialogs, std::vector<Treatment>& treatments, std::string_view fileName) {
    std::vector<std::string> codes;
    for (const Treatment& treatment : treatments) {
        if (std::find(codes.begin(), codes.end(), treatment.code) == codes.end()) codes.push_back(treatment.code);
    }
    if (codes.size() < 2) return;
    const std::string code = askUntilUsable<std::string>(
        dialogs,
        "The table " + inQuotes(fileName) + " holds the parameters " + listed(codes) +
            ".\nEnter the code of the one to test:",
        "Parameter", "The code must be one of " + listed(codes),
        [&codes](std::string_view answer) -> std::optional<std::string> {
            const auto first = answer.find_first_not_of(" \t");
            if (first == std::string_view::npos) return std::nullopt;
            const std::string typed(answer.substr(first, answer.find_last_not_of(" \t") - first + 1));
            if (std::find(codes.begin(), codes.end(), typed) == codes.end()) return std::nullopt;
            return typed;
        });
    std::erase_if(treatments, [&code](const Treatment& treatment) { return treatment.code != code; });
}

void askMissingTableEntries(Dialogs& dialogs, Treatment& treatment, std::string_view fileName) {
    const std::string table = "The table " + inQuotes(fileName);
    const std::string name = inQuotes(treatment.name);
    if (treatment.sampleSizeMissing) {
        treatment.sampleSize = askUntilUsable<std::int32_t>(
            dialogs, table + " gives no sample size for treatment " + name + ".\nEnter its sample size n:",
            "Sample size", std::string(SampleSizeExpected), sampleSizeTyped);
        treatment.sampleSizeMissing = false;
    }
    if (treatment.estimateMissing) {
        treatment.estimate = askUntilUsable<double>(
            dialogs,
            table + " gives no estimate for treatment " + name +
                " (the parameter's value for the full sample).\nEnter the estimate:",
            "Estimate", std::string(EstimateExpected), estimateTyped);
        treatment.estimateMissing = false;
    }
}

}  // namespace cpt
