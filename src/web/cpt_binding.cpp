// The web page's way into the core: the batch runs cpt makes, on files
// handed over as bytes. Each run writes them into the in-memory file system,
// runs with the same answers cpt takes from its options, and hands back cpt's
// JSON document, the written files as bytes and what the window would draw.
#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "batch/batch_outcome.h"
#include "core/input/treatment_file.h"
#include "core/common/field_reader.h"
#include "core/common/user_error.h"
#include "core/figures/figure_files.h"
#include "core/figures/results_figures.h"
#include "core/figures/svg_writer.h"
#include "core/sorting/frequency_bins.h"
#include "core/state/analysis_state.h"
#include "web/memfs_files.h"

namespace cpt::web {
namespace {

using emscripten::val;

const std::filesystem::path CartesianFolder = "/runs/cartesian";
const std::filesystem::path SortCountFolder = "/runs/sort-count";
const std::filesystem::path DescribeFolder = "/runs/describe";

std::string textOr(const val& request, const char* key, const std::string& otherwise) {
    const val value = request[key];
    return value.isUndefined() || value.isNull() ? otherwise : value.as<std::string>();
}

bool flag(const val& request, const char* key) {
    const val value = request[key];
    return !value.isUndefined() && !value.isNull() && value.as<bool>();
}

// The page's controls, as its complaints name them.
batch::AnswerWording pageWording() {
    batch::AnswerWording wording;
    wording.fixedTime = "\"Fixed time stamp\"";
    wording.withoutDifferences = "Untick \"Difference files\" to run without them.";
    wording.anotherCode =
        "\nEnter another \"Code for the report's file name\" (a file name cannot hold every character).";
    return wording;
}

// The page's user knows the files by name, not by their in-memory folders.
std::string withoutFolders(std::string text, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        const std::string prefix = folder + "/";
        for (std::size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at)) {
            text.erase(at, prefix.size());
        }
    }
    return text;
}

// What every run hands back: its status, its complaints, cpt's JSON output
// and the written files by name.
val commonResult(const batch::BatchOutcome& outcome, const std::ostringstream& messages,
                 const std::vector<std::string>& folders) {
    val result = val::object();
    result.set("status", outcome.status);
    result.set("messages", withoutFolders(messages.str(), folders));
    result.set("json", outcome.status == batch::ExitSuccess ? batch::documentText(outcome) : std::string());
    val files = val::array();
    for (const std::filesystem::path& path : outcome.written) {
        val file = val::object();
        file.set("name", path.filename().string());
        file.set("bytes", readBytes(path));
        files.call<void>("push", file);
    }
    result.set("files", files);
    return result;
}

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

// file: {name, bytes}. What the page lists before a run: the heading's name,
// sample size, B and code, and the mean of the values read the core's way;
// or the reader's complaint.
val describeTreatment(val file) {
    makeEmptyFolder(DescribeFolder);
    const std::filesystem::path path = DescribeFolder / plainFileName(file["name"].as<std::string>());
    writeBytes(path, file["bytes"]);
    val result = val::object();
    try {
        FieldReader reader = FieldReader::fromFile(path);
        const TreatmentHeading heading = readTreatmentHeading(reader);
        double sum = 0;
        std::int32_t count = 0;
        for (std::int32_t position = 1; position <= heading.bootstrapNumber; ++position) {
            const BootstrapValue value = readBootstrapValue(reader, position, Transformation::None);
            if (value.endMark) break;
            sum += value.value;
            ++count;
        }
        result.set("name", heading.name);
        result.set("sampleSize", heading.sampleSize);
        result.set("B", heading.bootstrapNumber);
        result.set("code", heading.code);
        result.set("values", count);
        result.set("mean", count > 0 ? val(sum / count) : val::null());
    } catch (const UserError& error) {
        result.set("error", std::string(error.what()));
    }
    return result;
}

// request: {files: [{name, bytes}], reversed, differences, code, fixedTime, onProgress(text)}
val runCartesian(val request) {
    makeEmptyFolder(CartesianFolder);
    batch::CartesianOptions options;
    std::vector<std::string> folders;
    const val files = request["files"];
    const int count = files["length"].as<int>();
    // cpt's command line takes no other number; the core would ask for it again.
    if (count < 2 || count > TreatmentCapacity) {
        val result = val::object();
        result.set("status", batch::ExitUsage);
        result.set("messages", "The Cartesian paired test takes 2 to " + std::to_string(TreatmentCapacity) +
                                   " treatment files; " + std::to_string(count) +
                                   (count == 1 ? " was given.\n" : " were given.\n"));
        result.set("json", std::string());
        result.set("files", val::array());
        result.set("grid", val::array());
        result.set("figures", val::array());
        return result;
    }
    for (int k = 0; k < count; ++k) {
        // A folder each, so that two files of one name stay apart.
        const std::filesystem::path folder = CartesianFolder / "in" / std::to_string(k + 1);
        folders.push_back(folder.string());
        std::filesystem::create_directories(folder);
        const std::filesystem::path path = folder / plainFileName(files[k]["name"].as<std::string>());
        writeBytes(path, files[k]["bytes"]);
        options.files.push_back(path.string());
    }
    options.reversed = flag(request, "reversed");
    options.differences = flag(request, "differences");
    options.code = textOr(request, "code", "1");
    options.fixedTime = textOr(request, "fixedTime", "");
    options.wording = pageWording();
    options.folder = (CartesianFolder / "out").string();
    options.json = true;
    // The page draws the figures itself.
    options.withFigures = true;
    std::filesystem::create_directories(options.folder);
    folders.push_back(options.folder);

    batch::ProgressHandler progress;
    const val onProgress = request["onProgress"];
    if (onProgress.typeOf().as<std::string>() == "function") {
        progress = [onProgress](const std::string& status) { onProgress(status); };
    }
    std::ostringstream messages;
    const batch::BatchOutcome outcome = batch::runCartesianBatch(options, messages, progress);
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
    options.kind = textOr(request, "kind", "boot");
    options.serialNumbers = flag(request, "serialNumbers");
    options.decimals = textOr(request, "decimals", "-1");
    options.fixedTime = textOr(request, "fixedTime", "");
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
    emscripten::function("describeTreatment", &cpt::web::describeTreatment);
}
