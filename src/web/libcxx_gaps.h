#pragma once
// The C++20 library parts the core uses that Debian's emscripten (libc++ 14)
// does not have yet: std::bit_cast, std::make_unique_for_overwrite and the
// double overloads of std::to_chars and std::from_chars. Put before every
// source of the web build (-include); elsewhere it adds nothing. The
// conversions give the characters the standard prescribes, so the core writes
// the same bytes as in the native build (the web tests compare them).
#if defined(__EMSCRIPTEN__) && defined(__cplusplus)
#include <charconv>
#include <memory>
#include <type_traits>
#include <version>

namespace std {

#ifndef __cpp_lib_bit_cast
template <class To, class From>
    requires(sizeof(To) == sizeof(From) && is_trivially_copyable_v<To> && is_trivially_copyable_v<From>)
constexpr To bit_cast(const From& from) noexcept {
    return __builtin_bit_cast(To, from);
}
#endif

#if !defined(__cpp_lib_smart_ptr_for_overwrite)
template <class T>
    requires is_unbounded_array_v<T>
unique_ptr<T> make_unique_for_overwrite(size_t size) {
    return unique_ptr<T>(new remove_extent_t<T>[size]);
}
#endif

// The shortest characters that read back as value, in the fixed or the
// scientific form; chars_format::general gives errc::invalid_argument.
to_chars_result to_chars(char* first, char* last, double value, chars_format format);
// As printf's %.*e, %.*f or %.*g.
to_chars_result to_chars(char* first, char* last, double value, chars_format format, int precision);
from_chars_result from_chars(const char* first, const char* last, double& value,
                             chars_format format = chars_format::general);

}  // namespace std
#endif
