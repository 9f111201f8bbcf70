#include "core/cartesian/treatment_input.h"

#include <cmath>
#include <deque>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis/transformation.h"
#include "core/input/treatment_file.h"
#include "core/common/number_format.h"
#include "core/common/numeric_answer.h"
#include "core/common/rounding.h"
#include "core/common/user_error.h"
#include "core/state/app_context.h"
#include "core/state/control_names.h"

namespace cpt {
namespace {

constexpr std::string_view CountTitle = "Read data file one by one for paired comparison using Cartesian Product";

std::int16_t askTreatmentCount(AppContext& context) {
    for (;;) {
        std::optional<std::string> answer = context.dialogs.inputBox("Enter number of treatments", CountTitle, "2");
        if (!answer) throw Cancelled();
        std::optional<std::int16_t> count = toInt16(leadingNumber(*answer));
        if (count && *count >= 2 && *count <= TreatmentCapacity) return *count;
        context.dialogs.tell("The number of treatments must be a whole number from 2 to " +
                                 std::to_string(TreatmentCapacity) + "; \"" + *answer +
                                 "\" is not.\nPlease enter it again.",
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

// The files chosen in the dialogue of treatment t: that treatment's and the
// next ones', in the order chosen. More files than treatments left are asked
// for again.
std::deque<std::string> chooseTreatmentFiles(AppContext& context, int t, int count) {
    const std::string title = "Input treatment " + std::to_string(t);
    for (;;) {
        std::vector<std::string> chosen = context.dialogs.openFiles(title);
        if (chosen.empty()) throw Cancelled();
        const std::size_t left = static_cast<std::size_t>(count - t + 1);
        if (chosen.size() <= left) return {std::make_move_iterator(chosen.begin()), std::make_move_iterator(chosen.end())};
        context.dialogs.tell(std::to_string(chosen.size()) + " files were chosen, but only " + std::to_string(left) +
                                 (left == 1 ? " treatment is" : " treatments are") + " left (" +
                                 (left == 1 ? std::to_string(t) : std::to_string(t) + " to " + std::to_string(count)) +
                                 ").\nPlease choose at most " + std::to_string(left) + ".",
                             "Too many files");
    }
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
double readFirstPass(AnalysisState& state, int t, FieldReader& reader) {
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

void readSecondPass(AnalysisState& state, int p, FieldReader& reader) {
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
    context.window[control::cmdReadDataA1].enabled = false;
    context.window[control::cmdReadNandF].enabled = false;
    state.OutputPrefix = "25A-Cartesian diff";

    state.TreatmentCount = askTreatmentCount(context);
    const int count = state.TreatmentCount;
    state.PairCount = static_cast<std::int16_t>(count * (count - 1) / 2);
    state.SidakAlpha = 1 - std::pow(0.95, 1.0 / state.PairCount);
    state.Transformation = state.MaintainerMode ? askTransformation(context) : Transformation::None;

    std::deque<std::string> chosenAhead;
    for (int t = 1; t <= count; ++t) {
        if (chosenAhead.empty()) chosenAhead = chooseTreatmentFiles(context, t, count);
        const std::string chosen = std::move(chosenAhead.front());
        chosenAhead.pop_front();
        state.TreatmentFile[t] = chosen;
        FieldReader reader = openTreatmentFile(context, chosen);
        storeHeading(state, t, readTreatmentHeading(reader));
        state.BootstrapNumberReal[t] = state.BootstrapNumber[t];
        state.LastTreatmentCode = state.TreatmentCode[t];
        state.EntryMean[t] = readFirstPass(state, t, reader);
    }

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
        readSecondPass(state, p, reader);
    }
}

}  // namespace cpt
