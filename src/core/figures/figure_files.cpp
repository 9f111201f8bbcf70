#include "core/figures/figure_files.h"

#include <system_error>

#include "core/common/output_file.h"
#include "core/figures/svg_writer.h"

namespace cpt::figures {

std::string pairFigureStem(const PairSummary& pair) {
    return "pair-" + std::to_string(pair.first + 1) + "-" + std::to_string(pair.second + 1);
}

void writeSvgFile(const Figure& figure, const std::filesystem::path& path) {
    try {
        OutputFile file(path);
        file.write(svgOf(figure));
        file.close();
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        throw;
    }
}

}  // namespace cpt::figures
