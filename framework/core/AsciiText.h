#pragma once
#include <cstddef>

// Case-insensitive comparison of names: only the ASCII letters A-Z and a-z fold, every other
// byte compares by its unsigned value. Every name comparison of the program uses these.
namespace ascii {

// Returns the ASCII lower-case form of c (bytes outside A-Z unchanged).
constexpr char ToLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
// Returns the ASCII upper-case form of c (bytes outside a-z unchanged).
constexpr char ToUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// <0, 0, >0 as a sorts before, equal to or after b, ignoring ASCII case.
int CompareNoCase(const char* a, const char* b);
// As CompareNoCase over the first n bytes at most.
int CompareNoCase(const char* a, const char* b, std::size_t n);
// True when a and b are the same name.
inline bool EqualNoCase(const char* a, const char* b) { return CompareNoCase(a, b) == 0; }

} // namespace ascii
