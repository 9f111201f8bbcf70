#pragma once
// The record form of writeRecordNumber, several times faster for the
// magnitudes a difference file or a sorted data file holds. A file of one
// pair has 18,000,000 numbers to write.
namespace cpt {

// Same characters as writeRecordNumber(value, out), which it falls back on
// outside 1E-8 to 1E+15; returns the number of characters.
int writeRecordNumberFast(double value, char* out);

}  // namespace cpt
