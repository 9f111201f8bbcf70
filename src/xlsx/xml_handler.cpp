#include "xlsx/xml_handler.h"

namespace cpt::xlsx {

std::string_view localName(std::string_view name) {
    const std::size_t cut = name.find_last_of("\x1F:");
    return cut == std::string_view::npos ? name : name.substr(cut + 1);
}

std::string_view attribute(const char** attributes, std::string_view name) {
    for (const char** a = attributes; a[0] != nullptr; a += 2) {
        if (localName(a[0]) == name) return a[1];
    }
    return {};
}

}  // namespace cpt::xlsx
