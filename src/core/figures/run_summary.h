#pragma once
// What the figures of one finished Cartesian run show, taken from the
// result of a run and its treatments, so that the figures of a report stay
// those of that report while later runs go on.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/analysis/cartesian_result.h"
#include "core/analysis/treatment.h"
#include "core/figures/difference_histogram.h"


namespace cpt::figures {

struct TreatmentSummary {
    std::string name;
    double mean = 0;           // bootstrap mean
    double standardError = 0;  // bootstrap SD
    double percentileLower = 0;  // 2.5 % of its own bootstrap values
    double percentileUpper = 0;  // 97.5 %
    std::string letters;        // as in the report's letter table, without the leading blank
    std::int64_t valueCount = 0;
};

struct PairSummary {
    int first = 0;   // report positions, 0-based, first < second
    int second = 0;
    // The differences are larger-mean minus smaller-mean treatment (equal
    // means: second minus first), as the report's intervals are.
    int minuend = 0;
    int subtrahend = 0;
    double meanDifference = 0;
    double tLower = 0, tUpper = 0;
    double percentileLower = 0, percentileUpper = 0;
    double pValue = 0;
    std::int64_t differenceCount = 0;
};

struct RunSummary {
    std::string parameterCode;
    double alpha = 0.05;
    std::vector<TreatmentSummary> treatments;  // in the report's order
    std::vector<PairSummary> pairs;            // (1,2), (1,3), ..., (n-1,n)
    // Each treatment's bootstrap values, sorted; shared by the copies that
    // the open windows keep.
    std::shared_ptr<const std::vector<std::vector<double>>> sortedValues;

    DifferenceHistogram histogram(const PairSummary& pair, int binCount = DefaultHistogramBins) const;
};

// treatments in entry order, as the test took them.
RunSummary summarizeRun(const CartesianResult& result, std::span<const Treatment> treatments);

// The value at rank round(count * fraction + 0.5) (1-based, clamped) of sorted values.
double percentileOf(const std::vector<double>& sorted, double fraction);

}  // namespace cpt::figures
