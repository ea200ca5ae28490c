// The substitution, and all that the program knows of its rules: a line
// holding one of a rule's patterns, exactly as written, is replaced by the
// rule's line. The search looks for the rules' names, and the report for the
// spellings that resemble their patterns. The compiler checks the tables.
#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <string_view>

// A fixed list of any length: the rules' lists differ in length.
template <typename T> class Liste {
public:
    template <std::size_t N> constexpr Liste(const T (&elements)[N]) : debut_(elements), taille_(N) {}
    constexpr const T* begin() const { return debut_; }
    constexpr const T* end() const { return debut_ + taille_; }
    constexpr std::size_t size() const { return taille_; }

private:
    const T* debut_;
    std::size_t taille_;
};

struct Regle {
    Liste<std::string_view> motifs;
    // As it goes to disk: the new source is a DOS text file.
    std::string_view remplacement;
    // Every line that the rule replaces or that the report says anything of
    // holds one of these, letters folded.
    Liste<std::string_view> noms;
    // Whether, for the report, a letter, digit or '_' after a pattern (or
    // around a text that resembles one) makes it another word: call
    // GET_KEY2 calls another routine.
    bool mots_entiers;
};

namespace detail {
inline constexpr std::string_view motifs_inclusion[] = {"crash.inc", "ti82.h"};
// "82." stands for both ti82.h and crash82.inc.
inline constexpr std::string_view noms_inclusion[] = {"crash.inc", "82."};
inline constexpr std::string_view motifs_appel[] = {"call GET_KEY", "CALL GET_KEY", "call\tGET_KEY"};
inline constexpr std::string_view noms_appel[] = {"get_key"};
} // namespace detail

// Tried in this order, so a line that hits both gets the include line first.
inline constexpr Regle regles[] = {
    {detail::motifs_inclusion, "#INCLUDE vepbeta.inc\r\n", detail::noms_inclusion, false},
    {detail::motifs_appel, "        ROM_CALL(GET_KEY)\r\n", detail::noms_appel, true},
};
inline constexpr const Regle& inclusion = regles[0];
inline constexpr const Regle& appel = regles[1];

// The words, letters in any case, that begin a line including a file: the
// report takes one as part of what the include line stands for, once per
// include pattern on the line.
inline constexpr std::string_view directives[] = {"#include", ".include"};

// A text that the report takes for one meant for `regle`, which did not
// replace its line: `forme` with letters in any case, where a blank stands
// for any run of blanks and tabs.
struct Ressemblance {
    std::string_view forme;
    const Regle& regle;
    // What the report says of it; if empty, how it differs from the rule's
    // patterns: in the case of its letters, in its spacing, or in both.
    std::string_view raison;
};

// In the order the report looks for them: the first found is the one named.
inline constexpr Ressemblance ressemblances[] = {
    {"call GET_KEY", appel, ""},
    {"crash82.inc", inclusion, "autre en-tete"},
    {"crash.inc", inclusion, ""},
    {"ti82.h", inclusion, ""},
};

// For each rule, where a line first holds one of its patterns; -1 if none.
using Places = std::array<std::ptrdiff_t, std::size(regles)>;

// Whether `texte` holds `nom` at `i`, letters folded.
constexpr bool nom_ici(std::string_view texte, std::size_t i, std::string_view nom)
{
    if (i > texte.size() || nom.size() > texte.size() - i)
        return false;
    for (std::size_t j = 0; j < nom.size(); ++j)
        if ((texte[i + j] | 0x20) != (nom[j] | 0x20))
            return false;
    return true;
}

// Whether `texte` holds one of the names of `regle`, letters folded.
constexpr bool nomme(std::string_view texte, const Regle& regle)
{
    for (std::string_view nom : regle.noms)
        for (std::size_t i = 0; i + nom.size() <= texte.size(); ++i)
            if (nom_ici(texte, i, nom))
                return true;
    return false;
}

// The search tests two bytes of a name at once, folded, and a name lies
// within a line: none of its bytes folds to an LF ('\n', '*'). The report
// reads a pattern that begins before a ';' as code, and drops the blanks
// around a statement.
constexpr bool regles_coherentes()
{
    for (const Regle& regle : regles) {
        for (std::string_view nom : regle.noms)
            if (nom.size() < 2 || nom.find('\n') != nom.npos || nom.find('*') != nom.npos)
                return false;
        for (std::string_view motif : regle.motifs)
            if (!nomme(motif, regle) || motif.find(';') != motif.npos || motif.front() == ' ' ||
                motif.back() == ' ')
                return false;
        if (regle.remplacement.substr(regle.remplacement.size() - 2) != "\r\n")
            return false;
    }
    for (const Ressemblance& r : ressemblances)
        if (!nomme(r.forme, r.regle))
            return false;
    return true;
}
static_assert(regles_coherentes(),
              "a name the search cannot look for, a pattern or resemblance without its rule's "
              "names, a pattern with a ';' or a blank at an end, or a replacement that is no "
              "CR LF line");
