#include "desktop_model/common/control_model.h"

#include <stdexcept>

namespace cpt {

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
