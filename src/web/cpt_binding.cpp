// The web page's way into the core: the batch runs cpt makes, on files
// handed over as bytes. Each run writes them into the in-memory file system,
// runs with the same answers cpt takes from its options, and hands back cpt's
// JSON document, the written files as bytes and what the window would draw.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "batch/batch_outcome.h"
#include "core/figures/figure_files.h"
#include "core/figures/results_figures.h"
#include "core/figures/svg_writer.h"
#include "core/sorting/frequency_bins.h"
#include "core/sorting/sort_count_analysis.h"
#include "core/common/capacities.h"
#include "web/binding_common.h"
#include "web/memfs_files.h"
#include "web/page_inputs.h"
#include "web/page_read_options.h"

namespace cpt::web {
namespace {

using emscripten::val;

const std::filesystem::path CartesianFolder = "/runs/cartesian";
const std::filesystem::path SortCountFolder = "/runs/sort-count";

val gridOf(const GridModel& grid) {
    val rows = val::array();
    for (int row = 0; row < grid.rows; ++row) {
        val cells = val::array();
        for (int column = 0; column < grid.columns; ++column) cells.call<void>("push", grid.text(row, column));
        rows.call<void>("push", cells);
    }
    return rows;
}

val numbers(const std::vector<double>& values) {
    val array = val::array();
    for (double value : values) array.call<void>("push", value);
    return array;
}

// The chart's bins and normal curve as the desktop's frequency chart draws them.
val chartOf(const ChartModel& chart) {
    val result = val::object();
    result.set("title", chart.title);
    result.set("mean", chart.mean);
    result.set("standardDeviation", chart.standardDeviation);
    const FrequencyBins bins = binClasses(chart);
    result.set("start", bins.start);
    result.set("width", bins.width);
    result.set("counts", numbers(bins.counts));
    std::vector<double> xs;
    std::vector<double> ys;
    if (!bins.counts.empty() && hasNormalCurve(chart.standardDeviation)) {
        const double sd = chart.standardDeviation;
        xs = normalCurvePoints(bins.start, bins.end(), chart.mean, sd);
        for (double x : xs) ys.push_back(normalCountAt(bins, chart.mean, sd, x));
        result.set("peak", normalCountAt(bins, chart.mean, sd, chart.mean));
    }
    result.set("curveX", numbers(xs));
    result.set("curveY", numbers(ys));
    return result;
}

// The figures of a Cartesian run (means with error bars and letters, each
// pair's differences) as SVG, drawn by the same code as the Results window's.
val figuresOf(const batch::BatchOutcome& outcome) {
    val result = val::array();
    if (!outcome.summary) return result;
    figures::forEachRunFigure(*outcome.summary, [&](const std::string& stem, const figures::Figure& figure) {
        val entry = val::object();
        entry.set("name", stem + ".svg");
        entry.set("svg", figures::svgOf(figure));
        result.call<void>("push", entry);
    });
    return result;
}

}  // namespace

// request: {files: [{name, bytes, sheet, parameter, leftOut}], reversed, differences, code, fixedTime,
//           parameter, sampleSizes, sampleSize, estimates, onProgress(text)}
val runCartesian(val request) {
    makeEmptyFolder(CartesianFolder);
    batch::CartesianOptions options;
    const val files = request["files"];
    const int count = files["length"].as<int>();
    auto refused = [](const std::string& message) {
        val result = refusedResult(batch::ExitUsage, message);
        result.set("grid", val::array());
        result.set("figures", val::array());
        return result;
    };
    // Every file gives a treatment at least: more files than the core
    // compares are refused before any is read.
    if (count > TreatmentCapacity) {
        return refused("The Cartesian paired test takes 2 to " + std::to_string(TreatmentCapacity) +
                       " treatment files; " + std::to_string(count) + " were given.");
    }
    if (std::optional<std::string> wrong = takePageReadOptions(request, options.read)) return refused(*wrong);
    const std::shared_ptr<PageInputs> inputs = writePageInputs(files, CartesianFolder / "in");
    options.files = inputs->paths;
    options.reader = pageReader(inputs);
    std::vector<std::string> folders = inputs->folders;
    options.reversed = flag(request, "reversed");
    options.differences = flag(request, "differences");
    options.code = textOr(request, "code", "1");
    options.wording = pageWording();
    std::string wrongTime;
    if (!takePageFixedTime(request, options.fixedTime, wrongTime)) return refused(wrongTime);
    // The page's core runs in one worker, without shared memory.
    options.threads = 1;
    options.folder = (CartesianFolder / "out").string();
    options.json = true;
    // The page draws the figures itself.
    options.withFigures = true;
    std::filesystem::create_directories(options.folder);
    folders.push_back(options.folder);

    // The window's status lines, and under them which pair of how many.
    batch::ProgressHandler progress;
    batch::PairProgressHandler pairProgress;
    const val onProgress = request["onProgress"];
    if (onProgress.typeOf().as<std::string>() == "function") {
        auto shown = std::make_shared<std::pair<std::string, std::string>>();
        progress = [onProgress, shown](const std::string& status) {
            shown->first = status;
            onProgress(shown->first + shown->second);
        };
        pairProgress = [onProgress, shown](int pair, int pairs) {
            shown->second = "\nPair " + std::to_string(pair) + " of " + std::to_string(pairs);
            onProgress(shown->first + shown->second);
        };
    }
    std::ostringstream messages;
    const batch::BatchOutcome outcome = batch::runCartesianBatch(options, messages, progress, pairProgress);
    val result = commonResult(outcome, messages, folders);
    result.set("grid", gridOf(outcome.grid));
    result.set("figures", figuresOf(outcome));
    return result;
}

// request: {file: {name, bytes}, kind: "general" | "boot" | "results", serialNumbers, decimals, fixedTime}
val runSortCount(val request) {
    makeEmptyFolder(SortCountFolder);
    batch::SortCountOptions options;
    const val file = request["file"];
    const std::filesystem::path path = SortCountFolder / plainFileName(file["name"].as<std::string>());
    writeBytes(path, file["bytes"]);
    options.file = path.string();
    // The page may send anything else, which reads as paired-test results.
    const std::string kind = textOr(request, "kind", "boot");
    options.kind = kind == "general" ? SortCountKind::General
                   : kind == "boot"  ? SortCountKind::Bootstrap
                                     : SortCountKind::PairedTestResults;
    options.serialNumbers = flag(request, "serialNumbers");
    const std::string decimalsText = textOr(request, "decimals", "-1");
    const std::optional<double> decimals = decimalLimitOf(decimalsText);
    std::string complaint;
    if (!decimals) complaint = "\"Decimals\" takes a number from -1 to 5, not \"" + decimalsText + "\".";
    if (decimals) takePageFixedTime(request, options.fixedTime, complaint);
    if (!complaint.empty()) {
        val result = refusedResult(batch::ExitUsage, complaint);
        result.set("chart", val::null());
        return result;
    }
    options.decimals = *decimals;
    options.wording = pageWording();
    options.json = true;

    std::ostringstream messages;
    const batch::BatchOutcome outcome = batch::runSortCountBatch(options, messages);
    val result = commonResult(outcome, messages, {SortCountFolder.string()});
    result.set("chart", outcome.status == batch::ExitSuccess && !outcome.chart.classValues.empty()
                            ? chartOf(outcome.chart)
                            : val::null());
    return result;
}

}  // namespace cpt::web

EMSCRIPTEN_BINDINGS(cpt_web) {
    emscripten::function("runCartesian", &cpt::web::runCartesian);
    emscripten::function("runSortCount", &cpt::web::runSortCount);
}
