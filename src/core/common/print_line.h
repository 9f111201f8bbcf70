#pragma once
// Print-style lines: text items as they are, number items as " 3 " / "-.5 ",
// and column items that pad with blanks to a column (counted from 1); a
// column already passed ends the line and pads the next one instead.
#include <string>
#include <string_view>

namespace cpt {

class OutputFile;

class PrintLine {
public:
    explicit PrintLine(OutputFile& file) : file_(file) {}
    PrintLine(const PrintLine&) = delete;
    PrintLine& operator=(const PrintLine&) = delete;

    PrintLine& text(std::string_view text);
    PrintLine& number(double value);
    PrintLine& col(int column);
    // Ends the line with CR LF.
    void end();
    // A whole line of one text item.
    void line(std::string_view text) { this->text(text).end(); }

    // The column at which the next character lands.
    int position() const { return position_; }

private:
    OutputFile& file_;
    int position_ = 1;
};

}  // namespace cpt
