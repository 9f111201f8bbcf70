#pragma once
// The page's input files for one run: each written into a folder of its own
// (two files of one name stay apart), a workbook kept as the parts the
// page's worker unpacked from it (web/workbook_unpack.js), and the reader
// that takes text files from the folders and workbooks from their parts.
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <emscripten/val.h>

#include "batch/batch_options.h"

namespace cpt::web {

// What the worker found in a workbook's archive.
struct UnpackedWorkbook {
    std::vector<std::pair<std::string, std::string>> parts;  // name, text
    bool noArchive = false;
    std::string damagedPart;  // a part that could not be unpacked, and why
    std::string reason;
};

struct PageInputs {
    std::vector<std::string> paths;    // in the order given
    std::vector<std::string> folders;  // to leave out of messages
    std::map<std::string, UnpackedWorkbook> workbooks;  // by path
};

// files: [{name, bytes, parts: [{name, bytes}], noArchive, damagedPart, reason}],
// the last four for an .xlsx name only.
std::shared_ptr<PageInputs> writePageInputs(const emscripten::val& files, const std::filesystem::path& folder);

// The list of formats cpt reads (core/input/treatment_format.h), workbooks
// from their parts.
batch::TreatmentReader pageReader(std::shared_ptr<const PageInputs> inputs);

}  // namespace cpt::web
