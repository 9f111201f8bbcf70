#pragma once
// The .xlsx workbook as a format of the list (core/input/treatment_format.h):
// a name ending in .xlsx is its alone, whatever the bytes, so that a damaged
// workbook is refused as one. How its parts are unpacked is the reader's:
// libzip for cpt and the window, the worker's parts on the page.
#include "core/input/treatment_format.h"
#include "xlsx/workbook_reading.h"

namespace cpt::xlsx {

class WorkbookFormat : public TreatmentFormat {
public:
    std::string_view name() const override { return "an .xlsx workbook"; }
    std::vector<std::string> patterns() const override { return {"*.xlsx"}; }
    FormatFit fit(std::string_view fileName, std::string_view) const override {
        return isWorkbookName(std::filesystem::path(fileName)) ? FormatFit::Only : FormatFit::No;
    }
    bool readsArchives() const override { return true; }
};

}  // namespace cpt::xlsx
