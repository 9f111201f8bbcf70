#pragma once
// The page's input files for one run: each written into a folder of its own
// (two files of one name stay apart), and read from there as cpt reads its
// files, a workbook unpacked by the same libzip and expat.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <emscripten/val.h>

#include "batch/batch_options.h"

namespace cpt::web {

struct PageInputs {
    std::vector<std::string> paths;    // in the order given
    std::vector<std::string> folders;  // to leave out of messages
};

// files: [{name, bytes}].
std::shared_ptr<PageInputs> writePageInputs(const emscripten::val& files, const std::filesystem::path& folder);

// Described files, text tables and workbooks as cpt reads them.
batch::TreatmentReader pageReader(std::shared_ptr<const PageInputs> inputs);

}  // namespace cpt::web
