#include "cli/figure_output.h"

#include <system_error>

#include "core/common/user_error.h"
#include "core/figures/figure_files.h"
#include "core/figures/results_figures.h"
#include "core/figures/run_summary.h"
#ifdef CPT_FIGURES_QT
#include "figure_export/figure_rendering.h"
#endif

namespace cpt::cli {
namespace {

using namespace cpt::figures;

// SVG needs only the core; PNG and PDF are drawn by Qt when it is built in.
void writeOne(const Figure& figure, const std::filesystem::path& path, const std::string& format) {
    if (format == "svg") {
        writeSvgFile(figure, path);
        return;
    }
#ifdef CPT_FIGURES_QT
    figure_export::ensureGuiApplication();
    figure_export::writeFigure(figure, path, *figure_export::figureFormatNamed(format));
#else
    throw UserError("This cpt was built without Qt and writes figures only as SVG: use --figure-format svg.");
#endif
}

}  // namespace

void writeFigureFile(const Figure& figure, const std::filesystem::path& path, const std::string& format) {
    writeOne(figure, path, format);
}

void makeFiguresFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw UserError("The figures folder \"" + folder.string() + "\" cannot be made: " + error.message() +
                        ". Give another folder with --figures.");
    }
}

std::vector<std::filesystem::path> writeRunFigures(const RunSummary& summary, const std::filesystem::path& folder,
                                                   const std::string& format) {
    const std::string extension = "." + format;
    std::vector<std::filesystem::path> written;
    forEachRunFigure(summary, [&](const std::string& stem, const Figure& figure) {
        const std::filesystem::path path = folder / (stem + extension);
        writeOne(figure, path, format);
        written.push_back(path);
    });
    return written;
}

}  // namespace cpt::cli
