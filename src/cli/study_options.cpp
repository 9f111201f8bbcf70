#include "cli/study_options.h"

#include <CLI/CLI.hpp>

#include "core/study/study_figure.h"
#include "core/figures/svg_writer.h"
#include "study_files/study_table_files.h"
#ifdef CPT_FIGURES_QT
#include "figure_export/figure_rendering.h"
#endif

namespace cpt::cli {

void addStudyTableOptions(CLI::App& command, batch::StudyBatchOptions& study, StudyFigureOptions& options) {
    command.add_option("--rows", study.rows,
                       "The table's rows: parameter codes, comma-separated, first in this order "
                       "(default: r, lambda, R0, T, GRR, then the others as they came)")
        ->delimiter(',')
        ->allow_extra_args(false)
        ->take_all();
    command.add_option("--label", "CODE=TEXT: the row's name in every format and the figure (repeatable)")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->check([](const std::string& value) {
            return value.find('=') == std::string::npos || value.front() == '='
                       ? "a label is given as CODE=TEXT, as R0=\"Net reproductive rate\""
                       : std::string();
        })
        ->each([&study](const std::string& value) {
            const std::size_t equals = value.find('=');
            study.labels.emplace_back(value.substr(0, equals), value.substr(equals + 1));
        });
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
