// The substitution: a line holding any of a rule's patterns, exactly as
// written, is replaced by the rule's line.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

struct Regle {
    std::array<std::string_view, 3> motifs;
    std::string_view remplacement;
};

// Tried in this order, so a line that hits both gets the include line first.
inline constexpr std::array<Regle, 2> regles = {{
    {{"crash.inc", "ti82.h"}, "#INCLUDE vepbeta.inc\n"},
    {{"call GET_KEY", "CALL GET_KEY", "call\tGET_KEY"}, "        ROM_CALL(GET_KEY)\n"},
}};
inline constexpr const Regle& inclusion = regles[0];
inline constexpr const Regle& appel = regles[1];

// For each rule, where a line first holds one of its patterns; -1 if none.
using Places = std::array<std::ptrdiff_t, regles.size()>;
