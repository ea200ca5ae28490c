// ASCII letters in either case, as the report compares spellings and Windows
// compares names. Quicker than the C library's, and blind to the locale.
#pragma once

#include <algorithm>
#include <string_view>

inline char minuscule(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal but for the case of ASCII letters.
inline bool egal_replie(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return minuscule(x) == minuscule(y); });
}
