#pragma once
// Comma-separated records: text items in double quotes (unescaped), numbers in
// record form, items separated by commas, each record ended by CR LF.
#include <string_view>

namespace cpt {

class OutputFile;

class Record {
public:
    explicit Record(OutputFile& file) : file_(file) {}
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;

    Record& text(std::string_view text);
    Record& number(double value);
    void end();

private:
    void separate();
    OutputFile& file_;
    bool first_ = true;
};

}  // namespace cpt
