#include "cli/study_figure_output.h"

#include <CLI/CLI.hpp>

#include "core/study/study_figure.h"
#include "core/figures/svg_writer.h"
#include "study_files/study_table_files.h"
#ifdef CPT_FIGURES_QT
#include "figure_export/figure_rendering.h"
#endif

namespace cpt::cli {

void addStudyFigureOptions(CLI::App& command, StudyFigureOptions& options) {
    command.add_flag("--figures", options.figures,
                     "Write the study figure (estimates \u00B1 SE with letters, a panel per parameter) as "
                     "study-figure.svg, .png and .pdf beside the table");
    command.add_option("--figure-style", options.style, "The figure's estimates as bars or points")
        ->check(CLI::IsMember({"bars", "points"}))
        ->capture_default_str();
}

batch::StudyTableWriter studyFilesWriter(const StudyFigureOptions& options) {
    if (!options.figures) return writeStudyTableFiles;
    const StudyFigureStyle style = studyFigureStyleNamed(options.style).value_or(StudyFigureStyle::Bars);
    return [style](const StudyTable& table, const std::filesystem::path& folder, std::span<const StudyFormat> formats,
                   const DateTime& created) {
        const figures::Figure figure = studyFigure(table, style);
        std::vector<StudyFileContent> others;
        // The format does not count for a named file of the set.
        others.push_back({StudyFormat::Csv, figures::svgOf(figure), "study-figure.svg"});
#ifdef CPT_FIGURES_QT
        figure_export::ensureGuiApplication();
        others.push_back({StudyFormat::Csv, figure_export::figureBytes(figure, figure_export::FigureFormat::Png),
                          "study-figure.png"});
        others.push_back({StudyFormat::Csv, figure_export::figureBytes(figure, figure_export::FigureFormat::Pdf),
                          "study-figure.pdf"});
#endif
        return writeStudyFiles(table, folder, formats, created, std::move(others));
    };
}

}  // namespace cpt::cli
