#include "core/common/file_name_part.h"

namespace cpt {

std::string fileNamePart(std::string_view text) {
    constexpr std::string_view Forbidden = "/\\:*?\"<>|";
    std::string part(text);
    for (char& c : part) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || Forbidden.find(c) != std::string_view::npos) c = '_';
    }
    return part;
}

}  // namespace cpt
