#include "core/common/grid_and_chart.h"

#include <stdexcept>

namespace cpt {

void GridModel::resize(int newRows, int newColumns) {
    rows = newRows;
    columns = newColumns;
    columnWidths.assign(static_cast<std::size_t>(newColumns), 0);
    cells.assign(static_cast<std::size_t>(newRows * newColumns), std::string());
    centred.assign(static_cast<std::size_t>(newRows * newColumns), false);
}

std::size_t GridModel::index(int row, int column) const {
    if (row < 0 || row >= rows || column < 0 || column >= columns) {
        throw std::out_of_range("grid cell outside the grid");
    }
    return static_cast<std::size_t>(row * columns + column);
}

}  // namespace cpt
