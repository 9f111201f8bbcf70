#pragma once
// The letter marking of the preliminary table, as data. An entry is found by
// the significance flags of the pairs (1,2), (1,3), ... in that order, read as
// a binary number with the first pair's flag highest (1 = significant). Each
// entry holds the labels of treatments 1, 2, ... in treatment order.
#include <array>
#include <string_view>

namespace cpt {

template <int Treatments>
using LetterLabels = std::array<std::string_view, Treatments>;

// s12
inline constexpr std::array<LetterLabels<2>, 2> TwoTreatmentMarking{{
    {" a", " a"},  // 0
    {" a", " b"},  // 1
}};

// s12 s13 s23
inline constexpr std::array<LetterLabels<3>, 8> ThreeTreatmentMarking{{
    {" a", " a", " a"},   // 000
    {" ab", " a", " b"},  // 001
    {" a", " ab", " b"},  // 010
    {" a", " a", " b"},   // 011
    {" a", " b", " ab"},  // 100
    {" a", " b", " a"},   // 101
    {" a", " b", " b"},   // 110
    {" a", " b", " c"},   // 111
}};

// s12 s13 s14 s23 s24 s34. Some entries keep a letter whose group lies inside
// another's (000 101, for one); they stay as they are, not reduced.
inline constexpr std::array<LetterLabels<4>, 64> FourTreatmentMarking{{
    {" a", " a", " a", " a"},        // 000 000
    {" ab", " ab", " a", " b"},      // 000 001
    {" ab", " a", " ab", " b"},      // 000 010
    {" ab", " a", " a", " b"},       // 000 011
    {" ab", " a", " b", " ab"},      // 000 100
    {" abc", " ac", " b", " c"},     // 000 101
    {" abc", " a", " bc", " c"},     // 000 110
    {" abc", " a", " b", " c"},      // 000 111
    {" a", " ab", " ab", " b"},      // 001 000
    {" a", " ab", " a", " b"},       // 001 001
    {" a", " a", " ab", " b"},       // 001 010
    {" a", " a", " a", " b"},        // 001 011
    {" ab", " ac", " bd", " cd"},    // 001 100
    {" ab", " ac", " b", " c"},      // 001 101
    {" ab", " a", " bc", " c"},      // 001 110
    {" ab", " a", " b", " c"},       // 001 111
    {" a", " ab", " b", " ab"},      // 010 000
    {" a", " ab", " b", " a"},       // 010 001
    {" ac", " ab", " bd", " cd"},    // 010 010
    {" ac", " ab", " b", " c"},      // 010 011
    {" ac", " ac", " b", " bc"},     // 010 100
    {" a", " a", " b", " a"},        // 010 101
    {" ac", " a", " b", " bc"},      // 010 110
    {" ac", " a", " b", " c"},       // 010 111
    {" a", " ab", " b", " b"},       // 011 000
    {" a", " abc", " b", " c"},      // 011 001
    {" a", " ab", " bc", " c"},      // 011 010
    {" a", " ab", " b", " c"},       // 011 011
    {" a", " ac", " b", " bc"},      // 011 100
    {" a", " ac", " b", " c"},       // 011 101
    {" a", " a", " b", " b"},        // 011 110
    {" a", " a", " b", " c"},        // 011 111
    // Block 100: only 1 and 2 differ among the first three flags. Each letter
    // is a largest group of mutually similar treatments, lettered in the order
    // of their members.
    {" a", " b", " ab", " ab"},      // 100 000  {1,3,4} {2,3,4}
    {" ab", " cd", " ac", " bd"},    // 100 001  {1,3} {1,4} {2,3} {2,4}
    {" a", " b", " ab", " a"},       // 100 010  {1,3,4} {2,3}
    {" ab", " c", " ac", " b"},      // 100 011  {1,3} {1,4} {2,3}
    {" a", " b", " a", " ab"},       // 100 100  {1,3,4} {2,4}
    {" ab", " c", " a", " bc"},      // 100 101  {1,3} {1,4} {2,4}
    {" a", " b", " a", " a"},        // 100 110  {1,3,4} {2}
    {" ab", " c", " a", " b"},       // 100 111  {1,3} {1,4} {2}
    {" a", " b", " ab", " b"},       // 101 000
    {" a", " bc", " ab", " c"},      // 101 001
    {" a", " b", " abc", " c"},      // 101 010
    {" a", " b", " ab", " c"},       // 101 011
    {" a", " b", " ac", " bc"},      // 101 100
    {" a", " bc", " a", " c"},       // 101 101
    {" a", " b", " ac", " c"},       // 101 110
    {" a", " b", " a", " c"},        // 101 111
    {" a", " b", " b", " ab"},       // 110 000  {1,4} {2,3,4}
    {" a", " bc", " c", " ab"},      // 110 001
    {" a", " b", " bc", " ac"},      // 110 010
    {" a", " bc", " c", " a"},       // 110 011
    {" a", " b", " c", " abc"},      // 110 100
    {" a", " b", " c", " ab"},       // 110 101
    {" a", " b", " c", " ac"},       // 110 110
    {" a", " b", " c", " a"},        // 110 111
    {" a", " b", " b", " b"},        // 111 000
    {" a", " bc", " b", " c"},       // 111 001
    {" a", " b", " bc", " c"},       // 111 010
    {" a", " b", " b", " c"},        // 111 011
    {" a", " b", " c", " bc"},       // 111 100
    {" a", " b", " c", " b"},        // 111 101
    {" a", " b", " c", " c"},        // 111 110
    {" a", " b", " c", " d"},        // 111 111
}};

}  // namespace cpt
