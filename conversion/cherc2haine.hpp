// The text search of the converter.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Index of the first occurrence of `motif` in `texte`, or -1 when it does not
// occur. Bytes are compared as they are (no case folding; NUL is a byte like
// any other), and an empty pattern is never found. Allocates nothing.
std::ptrdiff_t cherc2haine(std::string_view texte, std::string_view motif);

// Where the first of several patterns occurs in a text, letters folded: each
// byte is compared with 0x20 set on both sides, so that "GET_KEY" is found in
// "call get_key" (and in a few texts with other bytes, which the caller checks).
// Found in one pass over the text.
class Cherc2haines {
public:
    // Adds a pattern to look for; an empty one is never found. The pattern
    // must outlive the search.
    void ajouter(std::string_view motif);

    // Index of the first place in `texte` where one of the patterns occurs,
    // letters folded, or -1. Allocates nothing.
    std::ptrdiff_t premiere(std::string_view texte) const;

private:
    // Patterns that agree on their length, their middle byte and their last
    // byte, folded: one quick test of those two bytes stands for them all.
    using Groupe = std::vector<std::string_view>;

    std::vector<Groupe> groupes_;
    std::size_t plus_long_ = 0;
};
