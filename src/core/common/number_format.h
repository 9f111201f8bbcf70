#pragma once
// The four ways a number is written: record form (".5"), blank-led form (" .5"),
// print item (" .5 ") and text form ("0.5"). Digits are those of "%.15G";
// negative zero is written as 0.
#include <string>

namespace cpt {

// Longest text any of the forms can produce, plus room for the blanks.
inline constexpr int MaxNumberChars = 32;

// Writes the record form into out (no terminator) and returns the number of chars.
int writeRecordNumber(double value, char* out);

std::string recordNumber(double value);
std::string blankLedNumber(double value);
std::string printNumber(double value);
std::string textNumber(double value);
// The shortest text that reads back as the same double (for values handed
// on as text, never for printed figures).
std::string roundTripNumber(double value);

}  // namespace cpt
