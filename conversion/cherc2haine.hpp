// The program's plain text-matching primitive.
#pragma once

#include <cstddef>
#include <string_view>

// Index of the first occurrence of `motif` in `texte`, or -1 when it does not
// occur. Bytes are compared as they are (no case folding; NUL is a byte like
// any other), and an empty pattern is never found. Allocates nothing.
std::ptrdiff_t cherc2haine(std::string_view texte, std::string_view motif);
