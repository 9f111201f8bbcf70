#include "core/cartesian/treatment_input.h"

#include <cmath>
#include <filesystem>
#include <string>
#include <utility>

#include "core/cartesian/transformation.h"
#include "core/cartesian/treatment_file.h"
#include "core/common/number_format.h"
#include "core/common/numeric_answer.h"
#include "core/common/rounding.h"
#include "core/common/user_error.h"
#include "core/state/app_context.h"

namespace cpt {
namespace {

constexpr std::string_view CountTitle = "Read data file one by one for paired comparison using Cartesian Product";

std::int16_t askTreatmentCount(AppContext& context) {
    for (;;) {
        std::optional<std::string> answer = context.dialogs.inputBox("Enter number of treatments", CountTitle, "2");
        if (!answer) throw Cancelled();
        std::optional<std::int16_t> count = toInt16(leadingNumber(*answer));
        if (count && *count >= 2 && *count <= TreatmentCapacity) return *count;
        context.dialogs.tell("The number of treatments must be 2, 3 or 4; \"" + *answer +
                                 "\" is not one of them.\nPlease enter it again.",
                             "Number of treatments");
    }
}

Transformation askTransformation(AppContext& context) {
    std::optional<std::string> answer = context.dialogs.inputBox(
        "No transformation (0), Arcsine (1), or logit (2) transformation?", "Transformation?", "0");
    if (!answer) throw Cancelled();
    std::optional<std::int32_t> choice = toInt32(leadingNumber(*answer));
    return choice ? transformationFromChoice(*choice) : Transformation::None;
}

FieldReader openTreatmentFile(const AppContext& context, const std::string& chosen) {
    std::filesystem::path path(chosen);
    if (path.is_relative()) path = context.workingDirectory / path;
    return FieldReader::fromFile(path);
}

void storeHeading(AnalysisState& state, int slot, const TreatmentHeading& heading) {
    state.TreatmentName[slot] = heading.name;
    state.SampleSize[slot] = heading.sampleSize;
    state.BootstrapNumber[slot] = heading.bootstrapNumber;
    state.TreatmentCode[slot] = heading.code;
    state.PointEstimate[slot] = heading.pointEstimate;
}

// Reads values 1 to B + 1 (fewer at a -1 or at the end of the file) and gives
// the ordering mean. Value B + 1 counts in the mean: divided by B + 1 when more
// values follow it, by B when the file ends right after it.
double readFirstPass(AppContext& context, int t, FieldReader& reader) {
    AnalysisState& state = context.state;
    const std::int32_t b = state.BootstrapNumber[t];
    ValueArray<double>& values = state.BootValue[t];
    values.ensure(b + 1);
    state.ValueWeight.ensure(b + 1);

    double sum = 0;
    std::int32_t valuesRead = 0;
    bool endMark = false;
    std::int32_t k = 1;
    for (; k <= b + 1; ++k) {
        if (reader.atEnd()) break;  // a file without any value
        BootstrapValue read = readBootstrapValue(reader, k, state.Transformation);
        values[k] = read.value;
        if (read.endMark) {
            endMark = true;
            break;
        }
        ++valuesRead;
        state.ValueWeight[k] = 1;
        sum += read.value;
        if (reader.atEnd()) break;
    }
    if (valuesRead < b) complainTooFewValues(reader, valuesRead, b, endMark);
    if (k > b) state.BootstrapNumber[t] = k - 1;
    return sum / state.BootstrapNumber[t];
}

void readSecondPass(AppContext& context, int p, FieldReader& reader) {
    AnalysisState& state = context.state;
    const std::int32_t b = state.BootstrapNumber[p];
    ValueArray<double>& values = state.BootValue[p];
    values.ensure(b);
    state.ValueWeight.ensure(b);
    for (std::int32_t k = 1; k <= b; ++k) {
        BootstrapValue read = readBootstrapValue(reader, k, state.Transformation);
        if (read.endMark) complainTooFewValues(reader, k - 1, b, true);
        values[k] = read.value;
        state.ValueWeight[k] = 1;
    }
}

void orderByMean(AnalysisState& state) {
    const int count = state.TreatmentCount;
    for (int t = 1; t <= count; ++t) {
        state.OrderMean[t] = state.EntryMean[t];
        state.OrderEntry[t] = t;
    }
    for (int i = 1; i < count; ++i) {
        for (int j = i + 1; j <= count; ++j) {
            bool swap = state.ReversedSort ? state.OrderMean[i] > state.OrderMean[j]
                                           : state.OrderMean[i] < state.OrderMean[j];
            if (!swap) continue;
            std::swap(state.OrderMean[i], state.OrderMean[j]);
            std::swap(state.OrderEntry[i], state.OrderEntry[j]);
            std::swap(state.TreatmentName[i], state.TreatmentName[j]);
            std::swap(state.BootstrapNumberReal[i], state.BootstrapNumberReal[j]);
        }
    }
    for (int p = 1; p <= count; ++p) state.OrderIndex[p] = state.OrderEntry[p];
}

}  // namespace

void CartesianDifference(AppContext& context) {
    AnalysisState& state = context.state;
    context.window["cmdReadDataA1"].enabled = false;
    context.window["cmdReadNandF"].enabled = false;
    state.OutputPrefix = "25A-Cartesian diff";

    state.TreatmentCount = askTreatmentCount(context);
    const int count = state.TreatmentCount;
    state.PairCount = static_cast<std::int16_t>(count * (count - 1) / 2);
    state.SidakAlpha = 1 - std::pow(0.95, 1.0 / state.PairCount);
    state.Transformation = state.MaintainerMode ? askTransformation(context) : Transformation::None;

    for (int t = 1; t <= count; ++t) {
        std::optional<std::string> chosen = context.dialogs.openFile("Input treatment " + std::to_string(t));
        if (!chosen) throw Cancelled();
        state.TreatmentFile[t] = *chosen;
        FieldReader reader = openTreatmentFile(context, *chosen);
        storeHeading(state, t, readTreatmentHeading(reader));
        state.BootstrapNumberReal[t] = state.BootstrapNumber[t];
        state.LastTreatmentCode = state.TreatmentCode[t];
        state.EntryMean[t] = readFirstPass(context, t, reader);
    }
    checkPairCapacity(state.TreatmentFile, state.BootstrapNumberReal, state.TreatmentCount);

    orderByMean(state);
    const std::size_t ruleLength = static_cast<std::size_t>(11 * count + 15);
    state.TableRuleDouble.assign(ruleLength, '=');
    state.TableRuleSingle.assign(ruleLength, '-');

    for (int p = 1; p <= count; ++p) {
        state.TreatmentFileSorted[p] = state.TreatmentFile[state.OrderIndex[p]];
        FieldReader reader = openTreatmentFile(context, state.TreatmentFileSorted[p]);
        storeHeading(state, p, readTreatmentHeading(reader));
        // B moved with the mean; a file rewritten between the passes would
        // no longer agree with it.
        if (state.BootstrapNumber[p] != state.BootstrapNumberReal[p]) {
            reader.complain("it changed while it was being read (field 5 now gives B = " +
                            std::to_string(state.BootstrapNumber[p]) + ").");
        }
        readSecondPass(context, p, reader);
    }
}

}  // namespace cpt
