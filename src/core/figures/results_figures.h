#pragma once
// The two figures of a run's results: the means with their error bars and
// letters, and one pair's distribution of differences.
#include <functional>
#include <string>

#include "core/figures/figure_model.h"
#include "core/figures/run_summary.h"

namespace cpt::figures {

enum class ErrorBars { Percentile, StandardError };

// Each treatment's bootstrap mean with its error bar and its letters above,
// in the report's order, the y axis titled with the parameter's code.
Figure meansFigure(const RunSummary& summary, ErrorBars bars = ErrorBars::Percentile);

// The caption under the means figure.
std::string meansCaption(double alpha);

// A pair's differences as a histogram with 0, the mean difference, the t
// interval and the percentile interval marked; the P value in the title.
Figure pairFigure(const RunSummary& summary, const PairSummary& pair, const DifferenceHistogram& histogram);

// Every figure of a run with its file's stem: the means, then each pair in
// the report's order. Drawn one at a time, so that a run of many pairs never
// holds them all.
using NamedFigureHandler = std::function<void(const std::string& stem, const Figure& figure)>;
void forEachRunFigure(const RunSummary& summary, const NamedFigureHandler& use);

}  // namespace cpt::figures
