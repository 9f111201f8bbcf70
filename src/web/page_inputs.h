#pragma once
// The page's input files for one run: each written into a folder of its own
// (two files of one name stay apart), and read from there as cpt reads its
// files, a workbook unpacked by the same libzip and expat.
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <emscripten/val.h>

#include "batch/batch_options.h"

namespace cpt::web {

// What the page chose for one file, where cpt has one option for all.
struct PageFileChoices {
    std::optional<std::string> sheet;      // of a workbook
    std::optional<std::string> parameter;  // of a table that takes its code from its name
    std::set<std::string> leftOut;         // treatments of a table the run goes without
};

struct PageInputs {
    std::vector<std::string> paths;    // in the order given
    std::vector<std::string> folders;  // to leave out of messages
    std::map<std::string, PageFileChoices> choices;  // by path
};

// files: [{name, bytes, sheet, parameter, leftOut: [names]}], the last three
// optional.
std::shared_ptr<PageInputs> writePageInputs(const emscripten::val& files, const std::filesystem::path& folder);

// Described files, text tables and workbooks as cpt reads them, with each
// file's own choices and the page's words in the readers' complaints.
batch::TreatmentReader pageReader(std::shared_ptr<const PageInputs> inputs);

}  // namespace cpt::web
