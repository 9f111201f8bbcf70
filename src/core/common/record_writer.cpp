#include "core/common/record_writer.h"

#include "core/common/fast_record_number.h"
#include "core/common/number_format.h"
#include "core/common/output_file.h"

namespace cpt {

void Record::separate() {
    if (!first_) file_.write(',');
    first_ = false;
}

Record& Record::text(std::string_view text) {
    separate();
    file_.write('"');
    file_.write(text);
    file_.write('"');
    return *this;
}

// Sort-and-count files hold millions of numbers: the fast form writes the
// same characters.
Record& Record::number(double value) {
    separate();
    char* out = file_.room(MaxNumberChars);
    file_.claim(static_cast<std::size_t>(writeRecordNumberFast(value, out)));
    return *this;
}

void Record::end() {
    file_.write("\r\n");
    first_ = true;
}

}  // namespace cpt
