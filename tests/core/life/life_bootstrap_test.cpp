#include "core/life/life_bootstrap.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "core/common/user_error.h"
#include "core/life/life_files.h"
#include "support/test_files.h"

namespace cpt::life {
namespace {

Individual individual(std::string name, Sex sex, std::vector<double> eggs) {
    return {std::move(name), sex, std::move(eggs)};
}

TreatmentRecords treatment(std::string name, std::vector<Individual> individuals) {
    TreatmentRecords t;
    t.name = std::move(name);
    t.source = "test";
    t.hasSex = true;
    t.individuals = std::move(individuals);
    return t;
}

// Five individuals whose days (1, 10, 100, 1000, 10000) spell, in the mean
// days lived, how often each was drawn.
TreatmentRecords spelledCohort(std::string name) {
    std::vector<Individual> individuals;
    double days = 1;
    for (int i = 0; i < 5; ++i, days *= 10) {
        individuals.push_back(individual("i" + std::to_string(i), Sex::Female,
                                         std::vector<double>(static_cast<std::size_t>(days), 1.0)));
    }
    return treatment(std::move(name), std::move(individuals));
}

LifeSettings settingsOf(std::int64_t B, std::vector<LifeParameter> parameters, int threads = 1) {
    LifeSettings settings;
    settings.bootstrap = B;
    settings.parameters = std::move(parameters);
    settings.threads = threads;
    return settings;
}

TEST(LifeBootstrap, TheGeneratorIsTheStandardOne) {
    // The standard's check: the 10000th output of a default-seeded engine.
    std::mt19937_64 generator;
    generator.discard(9999);
    EXPECT_EQ(generator(), 9981545732273789042ULL);
    // Seed 1, as treatment 1 draws with the default seed.
    std::mt19937_64 seeded(1);
    EXPECT_EQ(seeded(), 2469588189546311528ULL);
    EXPECT_EQ(seeded(), 2516265689700432462ULL);
    EXPECT_EQ(drawIndex(5, 2469588189546311528ULL), 0U);
    EXPECT_EQ(drawIndex(5, 8323445853463659930ULL), 2U);
    EXPECT_EQ(drawIndex(5, 16811588669333006409ULL), 4U);
    EXPECT_EQ(drawIndex(5, ~0ULL), 4U);
}

TEST(LifeBootstrap, FirstReplicatesOfSeedOneArePinned) {
    Records records;
    records.treatments.push_back(spelledCohort("T"));
    const LifeResult result = runLifeTables(records, settingsOf(2, {LifeParameter::Longevity}));
    const std::vector<double>& values = result.treatments.at(0).parameters.at(0).values;
    ASSERT_EQ(values.size(), 2U);
    // Seed 1's first ten outputs give the indices 0 0 2 0 1 | 4 2 0 2 3.
    EXPECT_EQ(values[0], (1 + 1 + 100 + 1 + 10) / 5.0);
    EXPECT_EQ(values[1], (10000 + 100 + 1 + 100 + 1000) / 5.0);
}

TEST(LifeBootstrap, TreatmentTDrawsWithSeedSPlusTMinusOne) {
    Records both;
    both.treatments.push_back(spelledCohort("first"));
    both.treatments.push_back(spelledCohort("second"));
    LifeSettings settings = settingsOf(20, {LifeParameter::Longevity});
    settings.seed = 7;
    const LifeResult together = runLifeTables(both, settings);
    Records alone;
    alone.treatments.push_back(spelledCohort("second"));
    settings.seed = 8;
    const LifeResult apart = runLifeTables(alone, settings);
    EXPECT_EQ(together.treatments[1].seed, 8U);
    EXPECT_EQ(together.treatments[1].parameters[0].values, apart.treatments[0].parameters[0].values);
    EXPECT_NE(together.treatments[0].parameters[0].values, together.treatments[1].parameters[0].values);
}

// Twenty individuals, a few of them laying, so that every parameter varies.
Records fieldRecords() {
    Records records;
    for (int t = 0; t < 2; ++t) {
        std::vector<Individual> individuals;
        for (int i = 0; i < 20; ++i) {
            std::vector<double> eggs(static_cast<std::size_t>(3 + (i * 7 + t) % 17), 0.0);
            const bool female = i % 3 != 0;
            if (female) {
                for (std::size_t x = 2; x < eggs.size(); ++x) eggs[x] = static_cast<double>((i + x + t) % 5) * 0.7;
            }
            individuals.push_back(individual("n" + std::to_string(i), female ? Sex::Female : Sex::Male, eggs));
        }
        records.treatments.push_back(treatment(t == 0 ? "Maize" : "Bean", std::move(individuals)));
    }
    return records;
}

TEST(LifeBootstrap, FilesAreTheSameAtOneTwoAndThreeThreads) {
    const Records records = fieldRecords();
    std::vector<std::vector<std::string>> contents;
    for (int threads : {1, 2, 3}) {
        std::vector<LifeParameter> every(AllLifeParameters.begin(), AllLifeParameters.end());
        const LifeResult result = runLifeTables(records, settingsOf(2500, every, threads));  // blocks of 1024
        testing::TempFolder folder;
        std::vector<std::string> files;
        for (const auto& path : writeLifeFiles(result, folder.path())) {
            files.push_back(path.filename().string() + "\n" + testing::readFile(path));
        }
        contents.push_back(files);
    }
    ASSERT_EQ(contents[0].size(), 2U * 8U);
    for (std::size_t run = 1; run < contents.size(); ++run) {
        ASSERT_EQ(contents[run].size(), contents[0].size());
        for (std::size_t f = 0; f < contents[0].size(); ++f) {
            // Not EXPECT_EQ: its report of two long texts takes minutes.
            EXPECT_TRUE(contents[run][f] == contents[0][f]) << "threads " << run + 1 << ": "
                                                           << contents[0][f].substr(0, contents[0][f].find('\n'));
        }
    }
}

TEST(LifeBootstrap, TheTextsAreTheFilesBytes) {
    const LifeResult result = runLifeTables(fieldRecords(), settingsOf(300, {LifeParameter::R, LifeParameter::GRR}));
    testing::TempFolder folder;
    const auto paths = writeLifeFiles(result, folder.path());
    ASSERT_EQ(paths.size(), 6U);
    const TreatmentResult& bean = result.treatments[1];
    EXPECT_EQ(testing::readFile(paths[3]), bootstrapFileText(bean, bean.parameters[0]));
    EXPECT_EQ(testing::readFile(paths[4]), bootstrapFileText(bean, bean.parameters[1]));
    EXPECT_EQ(testing::readFile(paths[5]), lifeTableText(bean.table));
    EXPECT_EQ(paths[3].filename(), "Bean-r.txt");
}

TEST(LifeBootstrap, TheFullSampleIsTheEstimate) {
    const Records records = fieldRecords();
    const LifeResult result = runLifeTables(records, settingsOf(10, {LifeParameter::R, LifeParameter::GRR}));
    std::vector<const Individual*> cohort;
    for (const Individual& i : records.treatments[0].individuals) cohort.push_back(&i);
    const Estimates expected = lifeTableOf(cohort, 1).estimates;
    EXPECT_EQ(*result.treatments[0].parameters[0].estimate, *expected.r);
    EXPECT_EQ(*result.treatments[0].parameters[1].estimate, *expected.GRR);
}

// One female that lays among nine males: a tenth of the draws is hers, and
// 0.9^10 of the replicates have no offspring.
Records oneLayer() {
    std::vector<Individual> individuals{individual("f", Sex::Female, {0, 4, 2})};
    for (int i = 0; i < 9; ++i) individuals.push_back(individual("m" + std::to_string(i), Sex::Male, {0, 0}));
    Records records;
    records.treatments.push_back(treatment("Sparse", std::move(individuals)));
    return records;
}

TEST(LifeBootstrap, ReplicatesWithoutOffspringAreNeverDroppedSilently) {
    const Records records = oneLayer();
    std::vector<LifeParameter> five(DefaultLifeParameters.begin(), DefaultLifeParameters.end());
    LifeSettings settings = settingsOf(400, five);
    const LifeResult refused = runLifeTables(records, settings);
    const TreatmentResult& t = refused.treatments[0];
    EXPECT_GT(t.zeroOffspring, 60);  // about 139 expected
    EXPECT_LT(t.zeroOffspring, 220);
    for (const ParameterResult& p : t.parameters) {
        const bool lacking = p.parameter == LifeParameter::R || p.parameter == LifeParameter::T;
        EXPECT_EQ(p.written, !lacking) << parameterCode(p.parameter);
        if (p.parameter == LifeParameter::Lambda) {
            EXPECT_EQ(p.values.size(), 400U);
            EXPECT_EQ(std::count(p.values.begin(), p.values.end(), 0.0), t.zeroOffspring);
        }
    }
    ASSERT_FALSE(refused.notes.empty());
    const std::string note = refused.notes[0];
    EXPECT_NE(note.find("\"Sparse\""), std::string::npos) << note;
    EXPECT_NE(note.find(std::to_string(t.zeroOffspring)), std::string::npos) << note;
    EXPECT_NE(note.find("--zero-offspring drop"), std::string::npos) << note;

    settings.zeroOffspring = ZeroOffspring::Drop;
    const LifeResult dropped = runLifeTables(records, settings);
    const ParameterResult& r = dropped.treatments[0].parameters[0];
    EXPECT_TRUE(r.written);
    EXPECT_EQ(static_cast<std::int64_t>(r.values.size()), 400 - t.zeroOffspring);
    testing::TempFolder folder;
    const auto paths = writeLifeFiles(dropped, folder.path());
    const std::vector<std::string> lines = testing::readLines(folder.path() / "Sparse-r.txt");
    EXPECT_EQ(lines[0], "\"Sparse\",\"Sample size\",10,\"Bootstrap number\"," + std::to_string(r.values.size()) +
                            ",\"r\",10," + lines[0].substr(lines[0].rfind(',') + 1));
    EXPECT_EQ(lines.size(), r.values.size() + 1);
}

TEST(LifeBootstrap, AFullSampleWithoutOffspringHasNoRAtAll) {
    Records records;
    records.treatments.push_back(treatment("Barren", {individual("a", Sex::Female, {0, 0}),
                                                      individual("b", Sex::Male, {0})}));
    LifeSettings settings = settingsOf(20, {DefaultLifeParameters.begin(), DefaultLifeParameters.end()});
    settings.zeroOffspring = ZeroOffspring::Drop;
    const LifeResult result = runLifeTables(records, settings);
    testing::TempFolder folder;
    writeLifeFiles(result, folder.path());
    EXPECT_EQ(folder.files(), (std::vector<std::string>{"Barren-GRR.txt", "Barren-R0.txt", "Barren-lambda.txt",
                                                        "Barren-life-table.csv"}));
    bool said = false;
    for (const std::string& note : result.notes) said = said || note.find("no offspring (R0 = 0)") != std::string::npos;
    EXPECT_TRUE(said);
}

TEST(LifeBootstrap, FilesNeverReplaceFiles) {
    const Records records = oneLayer();
    const LifeResult result = runLifeTables(records, settingsOf(5, {LifeParameter::R0}));
    testing::TempFolder folder;
    folder.write("Sparse-R0.txt", "the user's");
    const auto paths = writeLifeFiles(result, folder.path());
    EXPECT_EQ(testing::readFile(folder.path() / "Sparse-R0.txt"), "the user's");
    ASSERT_EQ(paths.size(), 2U);
    EXPECT_EQ(paths[0].filename(), "Sparse-R0 (2).txt");
    EXPECT_EQ(paths[1].filename(), "Sparse-life-table.csv");
}

TEST(LifeBootstrap, ASetThatCannotBeWrittenLeavesNone) {
    Records records = oneLayer();
    // The second treatment's name is too long for a file name: the first's files go again.
    records.treatments.push_back(records.treatments[0]);
    records.treatments[1].name = std::string(300, 'x');
    const LifeResult result = runLifeTables(records, settingsOf(5, {LifeParameter::R0}));
    testing::TempFolder folder;
    EXPECT_THROW(writeLifeFiles(result, folder.path()), UserError);
    EXPECT_TRUE(folder.files().empty());
}

TEST(LifeBootstrap, SettingsAndRecordsThatCannotRun) {
    EXPECT_TRUE(settingsProblem(settingsOf(1, {LifeParameter::R})).has_value());
    LifeSettings s = settingsOf(10, {LifeParameter::R});
    for (double share : {0.0, -0.5, 1.01, std::nan("")}) {
        s.femaleOffspring = share;
        EXPECT_TRUE(settingsProblem(s).has_value()) << share;
    }
    s.femaleOffspring = 1;
    EXPECT_FALSE(settingsProblem(s).has_value());
    Records records = oneLayer();
    records.treatments[0].hasSex = false;
    s.cohort = Cohort::Females;
    EXPECT_TRUE(recordsProblem(records, s).has_value());
    s.cohort = Cohort::All;
    EXPECT_FALSE(recordsProblem(records, s).has_value());
    s.parameters = {LifeParameter::Fecundity};
    EXPECT_TRUE(recordsProblem(records, s).has_value());
    // A bootstrap file's heading holds the name between double quotes.
    s.parameters = {LifeParameter::R};
    records.treatments[0].name = "Maize \"early\"";
    const std::optional<std::string> quote = recordsProblem(records, s);
    ASSERT_TRUE(quote.has_value());
    EXPECT_NE(quote->find("double quote"), std::string::npos) << *quote;
}

TEST(LifeBootstrap, ProgressReachesEveryReplicateOfEveryTreatment) {
    for (int threads : {1, 3}) {
        LifeSettings settings = settingsOf(2500, {LifeParameter::R0}, threads);
        std::int64_t last = 0, total = 0;
        bool rising = true;
        settings.progress = [&](std::int64_t done, std::int64_t of) {
            rising = rising && done >= last;
            last = done;
            total = of;
        };
        runLifeTables(fieldRecords(), settings);
        EXPECT_TRUE(rising);
        EXPECT_EQ(total, 2 * 2500);
        EXPECT_EQ(last, total) << threads << " threads";
    }
}

// A stop asked for mid-block ends the run there, at one thread as at
// several, and what the caller waits with is called at one thread too.
TEST(LifeBootstrap, AStopEndsTheRunWithinABlock) {
    for (int threads : {1, 2}) {
        std::atomic<bool> stop{false};
        LifeSettings settings = settingsOf(200'000, {LifeParameter::R0}, threads);
        settings.cancel = &stop;
        std::int64_t last = 0, total = 0;
        settings.progress = [&](std::int64_t done, std::int64_t of) {
            last = done;
            total = of;
            stop = true;
        };
        int waits = 0;
        if (threads == 1) settings.whileWaiting = [&] { ++waits; };
        EXPECT_THROW(runLifeTables(fieldRecords(), settings), Cancelled) << threads << " threads";
        EXPECT_LT(last, total / 2) << threads << " threads";
        if (threads == 1) EXPECT_GT(waits, 0);
    }
}

TEST(LifeBootstrap, NoRecordsNoRun) {
    EXPECT_TRUE(recordsProblem(Records{}, settingsOf(10, {LifeParameter::R})).has_value());
    EXPECT_THROW(runLifeTables(Records{}, settingsOf(10, {LifeParameter::R})), UserError);
}

TEST(LifeBootstrap, TheLifeTableFileOfTheHandMadeCohort) {
    // N = 3 2 1, E = 0 6 2 over n0 = 3.
    Records records;
    records.treatments.push_back(treatment("Hand", {individual("a", Sex::Female, {0, 4, 2}),
                                                    individual("b", Sex::Female, {0, 2}), individual("c", Sex::Male, {0})}));
    const LifeResult result = runLifeTables(records, settingsOf(2, {LifeParameter::R0}));
    testing::TempFolder folder;
    writeLifeFiles(result, folder.path());
    EXPECT_EQ(testing::readLines(folder.path() / "Hand-life-table.csv"),
              (std::vector<std::string>{"age,N,lx,E,mx,lxmx", "1,3,1,0,0,0", "2,2,0.666666666666667,6,3,2",
                                        "3,1,0.333333333333333,2,2,0.666666666666667"}));
}

TEST(LifeBootstrap, SummaryOfTheReplicates) {
    const std::vector<double> values = {4, 1, 3, 2, 5};
    const BootstrapSummary summary = summarize(values);
    EXPECT_DOUBLE_EQ(summary.mean, 3);
    EXPECT_DOUBLE_EQ(summary.se, std::sqrt(2.5));
    EXPECT_DOUBLE_EQ(summary.low, 1.1);   // 1 + 0.1 (2 - 1)
    EXPECT_DOUBLE_EQ(summary.high, 4.9);
}

// One treatment is one block of all its B replicates at one thread: a cancel
// must end it at the next progress, not at its end.
TEST(LifeBootstrap, ACancelEndsATreatmentsBlockBeforeItsEnd) {
    Records records;
    records.treatments.push_back(treatment("A", {individual("a1", Sex::Female, {0, 4}),
                                                 individual("a2", Sex::Female, {1, 2, 3})}));
    LifeSettings settings;
    settings.bootstrap = 4'000'000;
    settings.parameters = {LifeParameter::R0};
    settings.threads = 1;
    std::atomic<bool> cancel{false};
    std::int64_t lastDone = 0;
    settings.cancel = &cancel;
    settings.progress = [&](std::int64_t done, std::int64_t) {
        lastDone = done;
        cancel = true;
    };
    EXPECT_THROW(runLifeTables(records, settings), Cancelled);
    EXPECT_LT(lastDone, settings.bootstrap);
}

}  // namespace
}  // namespace cpt::life
