#include "core/common/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include <fmt/format.h>

namespace cpt {
namespace {

// Removes the zero before the point of magnitudes below one.
int withoutLeadingZero(char* out, int len) {
    int digitStart = out[0] == '-' ? 1 : 0;
    if (len - digitStart >= 2 && out[digitStart] == '0' && out[digitStart + 1] == '.') {
        std::memmove(out + digitStart, out + digitStart + 1, static_cast<size_t>(len - digitStart - 1));
        --len;
    }
    return len;
}

}  // namespace

int writeRecordNumber(double value, char* out) {
    if (value == 0.0) {  // also -0
        out[0] = '0';
        return 1;
    }
    if (!std::isfinite(value)) {
        int n = std::snprintf(out, MaxNumberChars, "%.15G", value);
        return n;
    }
    // fmt's "G" gives printf's "%.15G" characters (correctly rounded, ties to
    // even), without the C library's locale and a good deal faster.
    char* end = fmt::format_to(out, "{:.15G}", value);
    return withoutLeadingZero(out, static_cast<int>(end - out));
}

std::string recordNumber(double value) {
    char buffer[MaxNumberChars];
    return std::string(buffer, static_cast<size_t>(writeRecordNumber(value, buffer)));
}

std::string blankLedNumber(double value) {
    std::string text = recordNumber(value);
    return text[0] == '-' ? text : " " + text;
}

std::string printNumber(double value) { return blankLedNumber(value) + " "; }

std::string roundTripNumber(double value) { return fmt::format("{}", value); }

std::string textNumber(double value) {
    std::string text = recordNumber(value);
    std::size_t digitStart = text[0] == '-' ? 1 : 0;
    if (text[digitStart] == '.') text.insert(digitStart, "0");
    return text;
}

}  // namespace cpt
