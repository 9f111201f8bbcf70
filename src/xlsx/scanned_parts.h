#pragma once
// A workbook's parts as texts someone else unpacked (the web page, with the
// browser's own inflater), read with the XmlScanner.
#include <map>
#include <string>

#include "xlsx/workbook_reading.h"

namespace cpt::xlsx {

class ScannedParts : public WorkbookParts {
public:
    // fileName names the workbook in messages.
    explicit ScannedParts(std::string fileName) : fileName_(std::move(fileName)) {}
    // The part's whole text, such as "xl/worksheets/sheet1.xml".
    void add(const std::string& part, std::string text) { parts_[part] = std::move(text); }
    bool parse(const std::string& part, XmlHandler& handler) override;

private:
    std::string fileName_;
    std::map<std::string, std::string, std::less<>> parts_;
};

}  // namespace cpt::xlsx
