#pragma once
// The answers a batch run takes: from cpt's command line, or from the web
// page's form.
#include <string>
#include <vector>

namespace cpt::batch {

struct CartesianOptions {
    std::vector<std::string> files;
    bool reversed = false;
    bool differences = false;
    std::string code = "1";
    std::string transformation;  // empty: not asked (ordinary use)
    bool flowRecord = false;
    std::string folder;          // -C
    bool json = false;
    std::string fixedTime;       // empty: the real clock
    std::string figuresFolder;   // empty: no figures
    std::string figureFormat = "svg";
};

struct SortCountOptions {
    std::string file;
    std::string kind = "boot";
    bool serialNumbers = false;
    std::string decimals = "-1";
    bool json = false;
    std::string fixedTime;
};

// Exit statuses.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitFailure = 1;
inline constexpr int ExitUsage = 2;

}  // namespace cpt::batch
