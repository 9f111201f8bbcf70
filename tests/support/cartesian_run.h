#pragma once
// A main window loaded in a fresh folder, with helpers to script a whole
// Cartesian run and to check what it left behind.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/analysis/cartesian_result.h"
#include "desktop_model/state/analysis_state.h"
#include "support/app_fixture.h"
#include "support/literal_pair.h"

namespace cpt::testing {

inline constexpr const char* CountTitle = "Read data file one by one for paired comparison using Cartesian Product";
inline constexpr const char* StoppedTitle = "Cartesian paired test stopped";

std::filesystem::path fixture(const std::string& name);

// The text of a treatment file: the eight heading fields, then one value per
// line (write "-1" among them for the end mark).
std::string treatmentText(const std::string& name, const std::string& code, std::int32_t bootstrapNumber,
                          const std::vector<std::string>& values, std::int32_t sampleSize = 20,
                          const std::string& estimate = "0.5");

// The questions of a plain run, outside maintainer mode: detail and sort
// order, the number of treatments, each treatment's file and the report's code.
ScriptedDialogs& scriptPlainRun(ScriptedDialogs& dialogs, const std::vector<std::filesystem::path>& files,
                                bool detailed = false, bool reversed = false);

struct CartesianRun : AppFixture {
    explicit CartesianRun(bool maintainerMode = false);

    // The questions of an ordinary run (maintainer mode: detail info Yes,
    // flow record as given).
    CartesianRun& answerQuestions(bool detailed, bool reversed, bool flowRecord = false);
    CartesianRun& answerCount(const std::string& answer);
    CartesianRun& answerFiles(const std::vector<std::filesystem::path>& files);
    CartesianRun& answerReportCode();
    // Questions, count, files and report code of a plain run.
    CartesianRun& script(const std::vector<std::filesystem::path>& files, bool detailed = false,
                         bool reversed = false);

    // Clicks the button and checks that every scripted question was asked.
    void run();

    AnalysisState& state() { return context.state; }
    // The result of the run made (fails the test when there is none).
    const CartesianResult& result() const;
    // The message of the stopped run, if one was shown.
    std::optional<std::string> stopMessage() const;
    bool reportWritten() const;
    // Files of the folder whose names start with the output prefix.
    std::vector<std::string> outputFiles() const;
};

// Every pair member the engine writes, for comparing runs member by member.
using PairFigures = PairResult;
// Pair (i, j), i < j, numbered from 1 in mean order.
PairFigures figuresOf(const CartesianResult& result, int i, int j);
// Treatment t, numbered from 1 in mean order.
const TreatmentStatistics& treatmentOf(const CartesianResult& result, int t);
// The bootstrap values of the treatment in mean-order slot `slot` (from 1)
// of the context's run.
std::span<const double> valuesAt(const AppContext& context, int slot);
// The pair (i, j) of the context's run worked out the long way.
PairFigures literalPair(const AppContext& context, int i, int j);

}  // namespace cpt::testing
