// The substitution, and all that the program knows of each rule: a line
// holding any of a rule's patterns, exactly as written, is replaced by the
// rule's line; the search looks for the rule's names, and the report for the
// spellings that resemble its patterns.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// A text that the report takes for one meant for a rule that did not replace
// its line: `forme` with letters in any case, where a blank stands for any run
// of blanks and tabs.
struct Ressemblance {
    std::string_view forme;
    // What the report says of it; if empty, how it differs from the rule's
    // patterns: in the case of its letters, in its spacing, or in both.
    std::string_view raison;
    // Not a part of a longer name: call GET_KEY2 calls another routine.
    bool mot_entier;
};

struct Regle {
    std::array<std::string_view, 3> motifs;
    std::string_view remplacement;
    // Every line that the rule replaces or that the report says anything of
    // holds one of these, letters folded: the search looks for them.
    std::array<std::string_view, 2> noms;
    std::array<Ressemblance, 3> ressemblances; // looked for in this order
};

// Tried in this order, so a line that hits both gets the include line first.
// "82." stands for both ti82.h and crash82.inc: the search looks for three
// names rather than four.
inline constexpr std::array<Regle, 2> regles = {{
    {{"crash.inc", "ti82.h"},
     "#INCLUDE vepbeta.inc\n",
     {"crash.inc", "82."},
     {{{"crash82.inc", "autre en-tete", false}, {"crash.inc", "", false}, {"ti82.h", "", false}}}},
    {{"call GET_KEY", "CALL GET_KEY", "call\tGET_KEY"},
     "        ROM_CALL(GET_KEY)\n",
     {"get_key"},
     {{{"call GET_KEY", "", true}}}},
}};
inline constexpr const Regle& inclusion = regles[0];
inline constexpr const Regle& appel = regles[1];

// For each rule, where a line first holds one of its patterns; -1 if none.
using Places = std::array<std::ptrdiff_t, regles.size()>;
