#include "core/figures/figure_files.h"

#include "core/common/pending_file.h"
#include "core/figures/svg_writer.h"

namespace cpt::figures {

std::string pairFigureStem(const PairSummary& pair) {
    return "pair-" + std::to_string(pair.first + 1) + "-" + std::to_string(pair.second + 1);
}

void writeSvgFile(const Figure& figure, const std::filesystem::path& path) {
    PendingFile file;
    file.open(path);
    file.file().write(svgOf(figure));
    file.commit();
}

}  // namespace cpt::figures
