#pragma once
// The files of a life-table run: per treatment and parameter the bootstrap
// result file DIR/TREATMENT-CODE.txt (the described heading, then the B
// values one a line in record form, lines ended CR LF), which every
// analysis of this program reads, and per treatment DIR/TREATMENT-life-table.csv.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/life/life_bootstrap.h"

namespace cpt {
class OutputFile;
}

namespace cpt::life {

// "Maize-r.txt", "Maize-r (2).txt": the treatment's name made fit for a file name.
std::string bootstrapFileName(std::string_view treatment, LifeParameter parameter, int number = 1);
std::string lifeTableFileName(std::string_view treatment, int number = 1);

// "TREATMENT","Sample size",n0,"Bootstrap number",B,"CODE",n0,ESTIMATE, then the values.
void writeBootstrapFile(OutputFile& file, const TreatmentResult& treatment, const ParameterResult& parameter);
// age,N,lx,E,mx,lxmx (N and E empty for an aggregate table).
void writeLifeTable(OutputFile& file, const LifeTable& table);

// The same bytes as text, for a front end that makes its files itself (the
// R package, the web page's archive).
std::string bootstrapFileText(const TreatmentResult& treatment, const ParameterResult& parameter);
std::string lifeTableText(const LifeTable& table);

// Every file the result has (the bootstrap files the rule lets through, and
// the life tables), treatment by treatment; a name already taken gets
// " (2)", " (3)", ...: no file is ever replaced. Returns their paths.
// Throws UserError and leaves none of them when one cannot be written.
std::vector<std::filesystem::path> writeLifeFiles(const LifeResult& result, const std::filesystem::path& folder);

}  // namespace cpt::life
