#pragma once
// One treatment as every reader gives it and the Cartesian test takes it: the
// heading's fields, the bootstrap values, and where they came from.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/common/large_block.h"
#include "core/analysis/transformation.h"
#include "core/common/capacities.h"

namespace cpt {

using BootstrapValues = std::vector<double, LargeBlockAllocator<double>>;

struct Treatment {
    std::string name;
    std::string code;             // the parameter code ("r", "R0", ...)
    std::int32_t sampleSize = 0;  // n of the full sample
    double estimate = 0;          // the parameter of the full sample ("Original")
    BootstrapValues values;       // B of them
    // What the values already carry; the test applies its own transformation
    // only to untransformed values.
    cpt::Transformation transformation = cpt::Transformation::None;
    // The mean the treatments are ordered by. A described file's first pass
    // may count value B + 1 in it; none means the plain mean of the values.
    std::optional<double> orderingMean;
    // A path, or a description such as "column C of r.xlsx": for messages and
    // the result document.
    std::string source;
    // Left open by a table read with ReadOptions::leaveMissingOpen: the table
    // gives no n, or no estimate, for this treatment, and the caller fills it in.
    bool sampleSizeMissing = false;
    bool estimateMissing = false;
    // A table without a parameter column: the code is its file's name, which
    // a front end may let its user change.
    bool codeFromFileName = false;
};

// The ordering mean, or the values summed in their order divided by B.
double orderingMeanOf(const Treatment& treatment);

}  // namespace cpt
