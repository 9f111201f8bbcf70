#include "core/common/control_model.h"

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

ControlModel::ControlModel(std::vector<Control> controls) : controls_(std::move(controls)) {}

bool ControlModel::contains(std::string_view name) const {
    for (const Control& control : controls_) {
        if (control.name == name) return true;
    }
    return false;
}

Control& ControlModel::named(std::string_view name) {
    for (Control& control : controls_) {
        if (control.name == name) return control;
    }
    throw std::logic_error("no control named " + std::string(name));
}

const Control& ControlModel::named(std::string_view name) const {
    return const_cast<ControlModel&>(*this).named(name);
}

}  // namespace cpt
