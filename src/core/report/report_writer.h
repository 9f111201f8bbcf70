#pragma once
// The result report of a Cartesian run, written from its result alone.
#include <string>

namespace cpt {

class OutputFile;
struct CartesianResult;

// What the report says beyond the result.
struct ReportHeading {
    std::string editionLabel;
    std::string versionText;
    std::string projectName;
    // The tables are numbered on from this (a session's reports count on).
    int tableNumber = 0;
};

// The heading of a report made outside the window's session: this edition,
// no project, tables from 1.
ReportHeading standaloneReportHeading();

// The heading, every pair's section, the references and the pairwise
// tables; returns the number of the last table.
int writeReportBody(OutputFile& report, const CartesianResult& result, const ReportHeading& heading);

// The stamps that close the report: begin, end and the time in between.
struct ReportStamps {
    std::string begin;
    std::string end;
    std::string totalTime;
};
void writeReportStamps(OutputFile& report, const ReportStamps& stamps);

}  // namespace cpt
