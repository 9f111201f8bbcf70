#include "desktop_model/cartesian/treatment_input.h"

#include <deque>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis/cartesian_run.h"
#include "core/analysis/cartesian_engine.h"
#include "core/analysis/transformation.h"
#include "desktop_model/cartesian/missing_table_entries.h"
#include "core/input/read_options.h"
#include "core/input/text_treatments.h"
#include "core/common/number_format.h"
#include "core/common/numeric_answer.h"
#include "core/common/rounding.h"
#include "core/common/user_error.h"
#include "desktop_model/state/app_context.h"
#include "desktop_model/state/control_names.h"

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

// One treatment of a file chosen, and that file as chosen.
struct ChosenTreatment {
    Treatment treatment;
    std::string file;
};

void tellTooMany(AppContext& context, const std::string& chosen, int t, int count) {
    const int left = count - t + 1;
    context.dialogs.tell(chosen + ", but only " + std::to_string(left) +
                             (left == 1 ? " treatment is" : " treatments are") + " left (" +
                             (left == 1 ? std::to_string(t) : std::to_string(t) + " to " + std::to_string(count)) +
                             ").\nPlease choose at most " + std::to_string(left) + ".",
                         "Too many files");
}

std::vector<Treatment> readTreatmentFile(AppContext& context, const std::string& chosen) {
    std::filesystem::path path(chosen);
    if (path.is_relative()) path = context.workingDirectory / path;
    ReadOptions options;
    options.transformation = context.state.Transformation;
    options.leaveMissingOpen = true;
    options.everyParameter = true;  // the user is asked which one
    std::vector<Treatment> treatments =
        context.readTreatments ? context.readTreatments(path, options) : readTextTreatments(path, options);
    chooseTableParameter(context.dialogs, treatments, path.filename().string());
    // A described file's treatment is known by its path as chosen.
    for (Treatment& treatment : treatments) {
        if (treatment.source == path.string()) treatment.source = chosen;
    }
    return treatments;
}

// A table without a parameter column is asked for its code once, after its
// sample sizes and estimates, its file's name the default answer.
void askParameterCodes(AppContext& context, std::deque<ChosenTreatment>& treatments) {
    for (auto entry = treatments.begin(); entry != treatments.end(); ++entry) {
        if (!entry->treatment.codeFromFileName) continue;
        const std::string code = askTableParameterCode(
            context.dialogs, std::filesystem::path(entry->file).filename().string(), entry->treatment.code);
        for (auto same = entry; same != treatments.end(); ++same) {
            if (same->file != entry->file || !same->treatment.codeFromFileName) continue;
            same->treatment.code = code;
            same->treatment.codeFromFileName = false;
        }
    }
}

// The treatments of the files chosen in the dialogue of treatment t: that
// treatment's and the next ones', in the order chosen (a table's in its
// order). More files, or treatments, than are left are asked for again; what
// a table lacks is asked for once they fit.
std::deque<ChosenTreatment> chooseTreatments(AppContext& context, int t, int count) {
    const std::string title = "Input treatment " + std::to_string(t);
    const std::size_t left = static_cast<std::size_t>(count - t + 1);
    for (;;) {
        std::vector<std::string> chosen = context.dialogs.openFiles(title);
        if (chosen.empty()) throw Cancelled();
        if (chosen.size() > left) {
            tellTooMany(context, std::to_string(chosen.size()) + " files were chosen", t, count);
            continue;
        }
        std::deque<ChosenTreatment> treatments;
        try {
            for (const std::string& file : chosen) {
                for (Treatment& treatment : readTreatmentFile(context, file)) {
                    treatments.push_back({std::move(treatment), file});
                }
            }
        } catch (const UserError& error) {
            // One file that cannot be used need not cost the treatments read
            // so far: this treatment's file is asked for again.
            context.dialogs.tell(std::string(error.what()) + "\n\nChoose another file for treatment " +
                                     std::to_string(t) + ", or cancel to end the run.",
                                 "File not used");
            continue;
        }
        if (treatments.size() > left) {
            tellTooMany(context,
                        std::to_string(treatments.size()) + " treatments were chosen (in " +
                            std::to_string(chosen.size()) + (chosen.size() == 1 ? " file)" : " files)"),
                        t, count);
            continue;
        }
        for (ChosenTreatment& entry : treatments) {
            askMissingTableEntries(context.dialogs, entry.treatment,
                                   std::filesystem::path(entry.file).filename().string());
        }
        askParameterCodes(context, treatments);
        return treatments;
    }
}

}  // namespace

void CartesianDifference(AppContext& context) {
    AnalysisState& state = context.state;
    context.window[control::cmdReadDataA1].enabled = false;
    context.window[control::cmdReadNandF].enabled = false;
    state.OutputPrefix = "25A-Cartesian diff";

    state.TreatmentCount = askTreatmentCount(context);
    const int count = state.TreatmentCount;
    state.Transformation = state.MaintainerMode ? askTransformation(context) : Transformation::None;

    auto run = std::make_shared<CartesianRun>();
    context.cartesianRun.reset();
    std::deque<ChosenTreatment> chosenAhead;
    for (int t = 1; t <= count; ++t) {
        if (chosenAhead.empty()) chosenAhead = chooseTreatments(context, t, count);
        state.TreatmentFile[t] = std::move(chosenAhead.front().file);
        run->treatments.push_back(std::move(chosenAhead.front().treatment));
        chosenAhead.pop_front();
        state.LastTreatmentCode = run->treatments.back().code;
    }
    context.cartesianRun = std::move(run);
}

}  // namespace cpt
