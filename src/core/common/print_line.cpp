#include "core/common/print_line.h"

#include "core/common/number_format.h"
#include "core/common/output_file.h"

namespace cpt {
namespace {
// Columns count characters, not bytes, so names in UTF-8 line up.
int characterCount(std::string_view text) {
    int count = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80) ++count;
    }
    return count;
}
}  // namespace

PrintLine& PrintLine::text(std::string_view text) {
    file_.write(text);
    position_ += characterCount(text);
    return *this;
}

PrintLine& PrintLine::number(double value) { return text(printNumber(value)); }

PrintLine& PrintLine::col(int column) {
    if (position_ > column) end();
    while (position_ < column) {
        file_.write(' ');
        ++position_;
    }
    return *this;
}

void PrintLine::end() {
    file_.write("\r\n");
    position_ = 1;
}

}  // namespace cpt
