#include "core/common/numeric_answer.h"

#include "core/common/decimal_parse.h"

namespace cpt {
namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) { ++i; ++digits; }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) { ++i; ++digits; }
    }
    if (digits == 0) return 0.0;
    // An exponent counts only when digits follow it ("2e" is 2).
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            i = j;
        }
    }
    return parseDecimal(text.substr(start, i - start));
}

}  // namespace cpt
