#include "core/common/number_format.h"

#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace cpt {
namespace {

// Rewrites to_chars' exponent ("e-05", "e+20") into the "E-05" style and
// removes the zero before the point of magnitudes below one.
int finishRecordForm(char* out, int len) {
    for (int i = 0; i < len; ++i) {
        if (out[i] == 'e') out[i] = 'E';
    }
    int digitStart = out[0] == '-' ? 1 : 0;
    if (len - digitStart >= 2 && out[digitStart] == '0' && out[digitStart + 1] == '.') {
        std::memmove(out + digitStart, out + digitStart + 1, static_cast<size_t>(len - digitStart - 1));
        --len;
    }
    return len;
}

int significantDigits(const char* first, const char* last) {
    int count = 0;
    bool leading = true;
    for (const char* p = first; p != last; ++p) {
        char c = *p;
        if (c == 'e' || c == 'E') break;
        if (c < '0' || c > '9') continue;
        if (leading && c == '0') continue;
        leading = false;
        ++count;
    }
    return count;
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
    // The shortest round-trip digits are the "%.15G" digits whenever there are
    // at most 15 of them (the value then lies within half an ulp of them, far
    // closer than half a step of the 15th digit); so is their exponent. Only
    // longer ones need the slower correctly rounded 15-digit conversion.
    char buffer[MaxNumberChars];
    auto shortest = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    int len = static_cast<int>(shortest.ptr - buffer);
    // Below the normal range the steps between Doubles are coarse, and the
    // shortest digits no longer tell the 15-digit rounding.
    if (std::fabs(value) >= DBL_MIN && significantDigits(buffer, shortest.ptr) <= 15) {
        const char* e = static_cast<const char*>(std::memchr(buffer, 'e', static_cast<size_t>(len)));
        int exponent = 0;
        std::from_chars(e + (e[1] == '+' ? 2 : 1), shortest.ptr, exponent);
        if (exponent >= -4 && exponent < 15) {
            auto fixed = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
            len = static_cast<int>(fixed.ptr - buffer);
        }
    } else {
        auto rounded = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
        len = static_cast<int>(rounded.ptr - buffer);
    }
    std::memcpy(out, buffer, static_cast<size_t>(len));
    return finishRecordForm(out, len);
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

std::string textNumber(double value) {
    std::string text = recordNumber(value);
    std::size_t digitStart = text[0] == '-' ? 1 : 0;
    if (text[digitStart] == '.') text.insert(digitStart, "0");
    return text;
}

}  // namespace cpt
