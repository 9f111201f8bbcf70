#pragma once
// One file of a zip archive, before it is packed.
#include <string>

namespace cpt {

struct ZipEntry {
    std::string name;
    std::string bytes;
};

}  // namespace cpt
