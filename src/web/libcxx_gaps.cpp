#include "web/libcxx_gaps.h"

#if defined(__EMSCRIPTEN__)
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace std {
namespace {

to_chars_result copyOut(char* first, char* last, const char* text, size_t length) {
    if (static_cast<size_t>(last - first) < length) return {last, errc::value_too_large};
    memcpy(first, text, length);
    return {first + length, errc()};
}

bool readsBack(const string& text, double value) { return strtod(text.c_str(), nullptr) == value; }

// Digits d1.d2d3...e±XX, as printf writes them, from a whole-number mantissa.
string scientific(uint64_t mantissa, int digits, int exponent, bool negative) {
    string text = to_string(mantissa);
    if (static_cast<int>(text.size()) > digits) {  // 99 + 1 became 100
        text.pop_back();
        ++exponent;
    }
    string out = negative ? "-" : "";
    out += text[0];
    if (text.size() > 1) out += "." + text.substr(1);
    char tail[8];
    snprintf(tail, sizeof tail, "e%c%02d", exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
    return out + tail;
}

// The shortest scientific form that reads back as value; of several, the
// nearest to it. The correctly rounded p-digit form is the nearest p-digit
// one; just above or below a power of two the next one on the other side can
// read back when it does not.
string shortestScientific(double value) {
    // Most results need 16 or 17 digits: try 15 first, and count up from 1
    // only when 15 are enough.
    char first[64];
    snprintf(first, sizeof first, "%.14e", value);
    const bool fifteenEnough = readsBack(first, value);
    for (int digits = fifteenEnough ? 1 : 15; digits <= 17; ++digits) {
        char buffer[64];
        snprintf(buffer, sizeof buffer, "%.*e", digits - 1, value);
        const string nearest = buffer;
        if (readsBack(nearest, value)) return nearest;
        const bool negative = value < 0;
        const char* start = buffer + (negative ? 1 : 0);
        const char* e = strchr(start, 'e');
        uint64_t mantissa = 0;
        for (const char* p = start; p != e; ++p) {
            if (*p != '.') mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
        }
        const int exponent = atoi(e + 1);
        const double read = strtod(buffer, nullptr);
        // The other neighbour lies on the value's far side from the nearest.
        const bool otherFartherOut = (read < value) != negative;
        if (otherFartherOut) {
            const string other = scientific(mantissa + 1, digits, exponent, negative);
            if (readsBack(other, value)) return other;
        } else {
            string other = scientific(mantissa - 1, digits, exponent, negative);
            if (mantissa - 1 < static_cast<uint64_t>(pow(10, digits - 1))) {
                other = scientific((mantissa - 1) * 10 + 9, digits, exponent - 1, negative);
            }
            if (readsBack(other, value)) return other;
        }
    }
    char buffer[64];
    snprintf(buffer, sizeof buffer, "%.16e", value);
    return buffer;
}

// The shortest digits written without an exponent.
string shortestFixed(double value) {
    const string sci = shortestScientific(value);
    const bool negative = sci[0] == '-';
    const size_t e = sci.find('e');
    string digits;
    for (size_t k = negative ? 1 : 0; k < e; ++k) {
        if (sci[k] != '.') digits += sci[k];
    }
    const int exponent = atoi(sci.c_str() + e + 1);
    const int count = static_cast<int>(digits.size());
    string out = negative ? "-" : "";
    if (exponent < 0) {
        out += "0." + string(static_cast<size_t>(-exponent - 1), '0') + digits;
    } else if (exponent + 1 >= count) {
        out += digits + string(static_cast<size_t>(exponent + 1 - count), '0');
    } else {
        out += digits.substr(0, static_cast<size_t>(exponent + 1)) + "." + digits.substr(static_cast<size_t>(exponent + 1));
    }
    return out;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

to_chars_result to_chars(char* first, char* last, double value, chars_format format) {
    // The core never asks for the shortest general form: not written here.
    if (format != chars_format::fixed && format != chars_format::scientific) return {first, errc::invalid_argument};
    if (!isfinite(value) || value == 0) {
        char buffer[16];
        const int length = snprintf(buffer, sizeof buffer, format == chars_format::scientific ? "%e" : "%f", value);
        string text(buffer, static_cast<size_t>(length));
        if (value == 0) text = signbit(value) ? (format == chars_format::scientific ? "-0e+00" : "-0")
                                              : (format == chars_format::scientific ? "0e+00" : "0");
        return copyOut(first, last, text.data(), text.size());
    }
    const string text = format == chars_format::fixed ? shortestFixed(value) : shortestScientific(value);
    return copyOut(first, last, text.data(), text.size());
}

to_chars_result to_chars(char* first, char* last, double value, chars_format format, int precision) {
    const char* pattern = format == chars_format::fixed ? "%.*f" : format == chars_format::scientific ? "%.*e" : "%.*g";
    const int length = snprintf(nullptr, 0, pattern, precision, value);
    string text(static_cast<size_t>(length) + 1, '\0');
    snprintf(text.data(), text.size(), pattern, precision, value);
    return copyOut(first, last, text.data(), static_cast<size_t>(length));
}

from_chars_result from_chars(const char* first, const char* last, double& value, chars_format) {
    // The decimal pattern: [-] digits [. digits] [e [+|-] digits], at least one digit before the exponent.
    const char* p = first;
    const bool negative = p != last && *p == '-';
    if (negative) ++p;
    bool anyDigit = false;
    bool nonZero = false;
    // The first 19 significant digits as a whole number, and the power of ten it stands for.
    uint64_t mantissa = 0;
    int significant = 0;
    long exponent10 = 0;
    auto digit = [&](char c, bool fraction) {
        anyDigit = true;
        if (c != '0') nonZero = true;
        if (mantissa == 0 && c == '0') {
            if (fraction) --exponent10;
            return;
        }
        if (significant < 19) {
            mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
            ++significant;
            if (fraction) --exponent10;
        } else {
            significant = 99;  // more digits than the quick way can take
            if (!fraction) ++exponent10;
        }
    };
    while (p != last && isDigit(*p)) digit(*p++, false);
    if (p != last && *p == '.') {
        ++p;
        while (p != last && isDigit(*p)) digit(*p++, true);
    }
    if (!anyDigit) return {first, errc::invalid_argument};
    if (p != last && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        const bool negativeExponent = q != last && *q == '-';
        if (q != last && (*q == '+' || *q == '-')) ++q;
        if (q != last && isDigit(*q)) {
            long written = 0;
            while (q != last && isDigit(*q)) {
                if (written < 100000) written = written * 10 + (*q - '0');
                ++q;
            }
            exponent10 += negativeExponent ? -written : written;
            p = q;
        }
    }
    // At most 15 digits and a power of ten a double holds exactly: one
    // correctly rounded multiplication or division gives the nearest double.
    static constexpr double Powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (significant <= 15 && exponent10 >= -22 && exponent10 <= 22) {
        const double whole = static_cast<double>(mantissa);
        const double read = exponent10 < 0 ? whole / Powers[-exponent10] : whole * Powers[exponent10];
        value = negative ? -read : read;
        return {p, errc()};
    }
    const string text(first, p);
    const double read = strtod(text.c_str(), nullptr);
    // Out of range as GCC's library tells it: the digits were not zero but
    // the nearest double is infinite or zero.
    if (isinf(read) || (read == 0 && nonZero)) return {p, errc::result_out_of_range};
    value = read;
    return {p, errc()};
}

}  // namespace std
#endif
