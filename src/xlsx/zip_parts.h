#pragma once
// A workbook's parts from its zip archive (libzip), each parsed with expat as
// it is unpacked, so that no part is ever held whole.
#include <string>

#include "xlsx/workbook_reading.h"

struct zip;

namespace cpt::xlsx {

class ZipParts : public WorkbookParts {
public:
    ZipParts(zip* archive, std::string fileName) : archive_(archive), fileName_(std::move(fileName)) {}
    bool parse(const std::string& part, XmlHandler& handler) override;

private:
    zip* archive_;
    std::string fileName_;
};

}  // namespace cpt::xlsx
