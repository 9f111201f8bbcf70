#pragma once
// Hand-made Cartesian results for study tables: three parameters of four
// treatments, the last of them without the third parameter.
#include <string>
#include <utility>
#include <vector>

#include "core/analysis/cartesian_result.h"
#include "core/study/study_table.h"

namespace cpt::testing {

inline TreatmentStatistics studyTreatment(std::string name, int entry, double estimate, double sd, int n = 30,
                                          int bootstrapNumber = 200) {
    TreatmentStatistics treatment;
    treatment.entry = entry;
    treatment.name = std::move(name);
    treatment.sampleSize = n;
    treatment.bootstrapNumber = bootstrapNumber;
    treatment.estimate = estimate;
    treatment.mean = estimate;
    treatment.sd = sd;
    return treatment;
}

// The treatments in mean order and their labels (" ab") in that order.
inline CartesianResult studyResult(std::vector<TreatmentStatistics> treatments, std::vector<std::string> labels,
                                   std::size_t groupCount = 0) {
    CartesianResult result;
    result.treatments = std::move(treatments);
    result.letters.labels = std::move(labels);
    result.letters.groupCount = groupCount;
    return result;
}

inline constexpr const char* MixedName = "Rice & beans, 50%";

// Entry order Maize, Sorghum, Wheat, MixedName; mean order differs per
// parameter. R_0 has B = 1000 and no MixedName; Wheat's R_0 has an SE of 0.
inline std::vector<StudyParameterRun> sampleStudyRuns() {
    std::vector<StudyParameterRun> runs(3);
    runs[0].parameter = "r";
    runs[0].result = studyResult({studyTreatment("Maize", 0, 0.151234567890123, 0.00588, 31),
                                  studyTreatment("Wheat", 2, 0.1450, 0.0059, 29),
                                  studyTreatment("Sorghum", 1, 0.1405, 0.0061, 30),
                                  studyTreatment(MixedName, 3, 0.1300, 0.0072, 28)},
                                 {" a", " ab", " b", " c"}, 3);
    runs[1].parameter = "lambda";
    runs[1].result = studyResult({studyTreatment("Maize", 0, 1.16327, 0.0068, 31),
                                  studyTreatment("Wheat", 2, 1.15607, 0.0996, 29),
                                  studyTreatment("Sorghum", 1, 1.1508, 0.0071, 30),
                                  studyTreatment(MixedName, 3, 1.1389, 0.0083, 28)},
                                 {" a", " a", " a", " b"}, 2);
    runs[2].parameter = "R_0";
    runs[2].result = studyResult({studyTreatment("Maize", 0, 48.3, 12.3, 31, 1000),
                                  studyTreatment("Wheat", 2, 40.0, 0.0, 29, 1000),
                                  studyTreatment("Sorghum", 1, 31.234, 1.43, 30, 1000)},
                                 {" a", " ab", " b"}, 2);
    return runs;
}

inline StudyTable sampleStudyTable() { return buildStudyTable(sampleStudyRuns()); }

}  // namespace cpt::testing
