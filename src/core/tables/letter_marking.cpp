#include "core/tables/letter_marking.h"

#include <string>

#include "core/tables/letter_tables.h"

namespace cpt {

GroupLettering letterTreatments(int treatmentCount, const std::vector<bool>& pairSignificant) {
    if (treatmentCount > 4) return letterBySimilarGroups(treatmentCount, pairSignificant);
    GroupLettering lettering;
    if (treatmentCount < 2) return lettering;
    // The flags read as a binary number, the first pair's highest.
    std::size_t pattern = 0;
    for (const bool significant : pairSignificant) pattern = pattern * 2 + (significant ? 1 : 0);
    auto take = [&](const auto& labels) {
        lettering.labels.assign(labels.begin(), labels.end());
        std::string letters;
        for (const auto& label : labels) {
            for (const char c : label) {
                if (c != ' ' && letters.find(c) == std::string::npos) letters += c;
            }
        }
        lettering.groupCount = letters.size();
    };
    switch (treatmentCount) {
        case 2: take(TwoTreatmentMarking.at(pattern)); break;
        case 3: take(ThreeTreatmentMarking.at(pattern)); break;
        default: take(FourTreatmentMarking.at(pattern)); break;
    }
    return lettering;
}

}  // namespace cpt
