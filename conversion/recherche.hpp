// The search of the converter: one pass over a text for every rule's names.
#pragma once

#include <cstddef>
#include <string_view>

// The line ends of a stretch of whole lines.
struct LignesPassees {
    std::size_t lf = 0;   // how many LFs
    bool lf_seul = false; // whether one of them lacks its CR
};

// Those of `lignes`, whose first byte follows no CR.
LignesPassees compter_lignes(std::string_view lignes);

// The first line from `debut` on in `texte` that holds one of the rules'
// names (regles.hpp), letters folded, with its LF if it has one; empty if
// none does. Every line that a rule replaces holds one, and so do a few
// others, which the caller judges. `debut` begins a line. Allocates nothing.
std::string_view ligne_nommee(std::string_view texte, std::size_t debut);
