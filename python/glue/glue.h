#pragma once
// What the Python module keeps of the core between calls: treatments as read
// (with the file each came from), and runs (their request, result and
// moments). Every call into the core that the module makes is declared here,
// so that the binding itself (module.cpp) only converts.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/cartesian_engine.h"
#include "core/analysis/treatment.h"
#include "core/life/life_bootstrap.h"
#include "core/life/life_front.h"
#include "core/study/study_table.h"

namespace cptpy {

struct ReadRequest {
    std::vector<std::string> paths;
    std::optional<std::string> parameter;
    std::optional<std::string> sheet;
    std::optional<std::int32_t> sampleSize;
    std::map<std::string, std::int32_t, std::less<>> sampleSizes;
    std::map<std::string, double, std::less<>> estimates;
    cpt::Transformation transformation = cpt::Transformation::None;
    bool everyParameter = false;
};

// A treatment and, when read from a file, the file (absolute, as cpt makes
// it), so that it can be read again with a transformation.
struct HeldTreatment {
    cpt::Treatment treatment;
    std::string file;
    // How it was read: with a transformation it is read again so.
    std::shared_ptr<const ReadRequest> readFrom;
};
using TreatmentPointer = std::shared_ptr<HeldTreatment>;  // never changed once made


// Throws UserError for a name "none", "arcsine" or "logit" does not cover.
cpt::Transformation transformationNamed(const std::string& name);
std::string transformationName(cpt::Transformation transformation);

// Every file's treatments in the order given, through cpt's readers; a name
// in the sample sizes or estimates must name a treatment read, as cpt
// demands. Throws UserError in cpt's words.
std::vector<TreatmentPointer> readFiles(const ReadRequest& request);

struct ParameterGroup {
    std::string parameter;
    std::vector<TreatmentPointer> treatments;
};
// The files' treatments grouped by parameter, as cpt study groups them.
std::vector<ParameterGroup> readParameterGroups(const std::vector<std::string>& paths);

// Treatments read from files, read again with the transformation as cpt
// reads them (value B + 1 then counts transformed in the ordering mean);
// given unchanged when any of them was not read from a file (the test then
// transforms them all). Throws UserError for a treatment no longer in its file.
std::vector<TreatmentPointer> readAgain(const std::vector<TreatmentPointer>& treatments,
                                        cpt::Transformation transformation);

// A treatment of values given by the caller (checked as a bootstrap file's
// values are; place counts from 1 for the message).
TreatmentPointer treatmentOf(std::size_t place, std::string name, std::string code, std::int32_t sampleSize,
                             double estimate, const double* values, std::size_t count);

struct RunRequest {
    std::vector<TreatmentPointer> treatments;
    bool reversed = false;
    cpt::Transformation transformation = cpt::Transformation::None;
    int threads = 0;  // 0: every core the system gives the process
};

struct Run {
    RunRequest request;
    cpt::CartesianResult result;
    std::string began;  // "2026-12-09 22:32:02"
    std::string ended;
};
using RunPointer = std::shared_ptr<Run>;  // never changed once made

// Signals the caller's thread must see while the test runs on workers:
// called now and then; returns true to stop the run.
using Interrupted = std::function<bool()>;

// Throws UserError for treatments the test cannot take, Cancelled once
// interrupted() said so.
cpt::CartesianResult runTest(const RunRequest& request, const Interrupted& interrupted,
                             cpt::DifferenceSink* differences = nullptr);
Run runAndKeep(RunRequest request, const Interrupted& interrupted);

struct ReportRequest {
    std::filesystem::path folder;
    std::string code = "1";
    std::string fixedTime;  // empty: the run's own moments
    bool differences = false;
};
struct WrittenReport {
    std::filesystem::path report;
    std::vector<std::filesystem::path> differenceFiles;
};
// cpt's report of the run, with the difference files when asked (the test
// then runs again, as cpt --differences writes them while it runs).
WrittenReport writeReport(const Run& run, const ReportRequest& request, const Interrupted& interrupted);

struct StudyRequest {
    std::vector<RunPointer> runs;
    std::vector<std::string> parameters;
    std::vector<std::string> order;
    int digits = cpt::DefaultStudyDigits;
};
cpt::StudyTable studyTableOf(const StudyRequest& request);

// cpt study's table files (study-table.csv, ...) in the folder; formats as
// cpt's --format names them ("all" too). Returns the paths written.
std::vector<std::filesystem::path> writeStudyTable(const cpt::StudyTable& table, const std::filesystem::path& folder,
                                                   const std::vector<std::string>& formats,
                                                   const std::string& fixedTime);

struct LifeRequest {
    std::optional<std::vector<cpt::life::RecordColumn>> columns;  // a DataFrame's, read first
    std::vector<std::string> paths;                                // records files
    std::int64_t bootstrap = 100'000;
    std::uint64_t seed = 1;
    std::string cohort = "all";
    double femaleOffspring = 1;
    std::string zeroOffspring = "refuse";
    int threads = 0;
};
using LifePointer = std::shared_ptr<const cpt::life::LifeResult>;  // never changed once made

// The life tables as cpt life-table makes them, the messages naming the
// package's arguments. Throws UserError in cpt's words, Cancelled once
// interrupted() said so.
cpt::life::LifeResult runLife(const LifeRequest& request, const Interrupted& interrupted);
// The treatments of the parameter's bootstrap files, as they read.
std::vector<TreatmentPointer> lifeTreatments(const cpt::life::LifeResult& result, const std::string& code);

}  // namespace cptpy
