#pragma once
// A double's bit pattern and back. std::bit_cast is not in every C++ library
// the program is built with (emscripten's libc++ 14 lacks it); a copy of the
// eight bytes compiles to the same single move.
#include <cstdint>
#include <cstring>

namespace cpt {

inline std::uint64_t bitsOf(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline double doubleOfBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace cpt
