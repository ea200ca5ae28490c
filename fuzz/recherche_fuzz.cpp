// cherc2haine against std::string_view::find, on any bytes; and the search
// of the rules' names against the line of the first place where find gives
// one of them, folded, and the line ends it counts on its way. The input
// holds the length of a pattern for cherc2haine, the pattern, then the text.

#include "conversion/cherc2haine.hpp"
#include "conversion/recherche.hpp"
#include "conversion/regles.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// std::string_view::find, but an empty pattern is never found; with every
// byte folded (0x20 set) if `replie`.
std::ptrdiff_t modele(std::string texte, std::string motif, bool replie = false)
{
    for (std::string* octets : {&texte, &motif})
        for (char& octet : *octets)
            octet = static_cast<char>(replie ? octet | 0x20 : octet);
    const std::size_t place = motif.empty() ? std::string::npos : texte.find(motif);
    return place == std::string::npos ? -1 : static_cast<std::ptrdiff_t>(place);
}

// Where the first line of `texte` that holds one of the rules' names, folded,
// begins; -1 if none.
std::ptrdiff_t ligne_attendue(std::string_view texte)
{
    std::ptrdiff_t premiere = -1;
    for (const Regle& regle : regles) {
        for (std::string_view nom : regle.noms) {
            const std::ptrdiff_t place = modele(std::string(texte), std::string(nom), true);
            if (place >= 0 && (premiere < 0 || place < premiere))
                premiere = place;
        }
    }
    return premiere < 0 ? -1
                        : static_cast<std::ptrdiff_t>(
                              texte.substr(0, static_cast<std::size_t>(premiere)).rfind('\n') + 1);
}

// The line ends of `texte` before `ligne` (all of them if `ligne` is -1).
LignesPassees lignes_avant(std::string_view texte, std::ptrdiff_t ligne)
{
    LignesPassees avant;
    for (std::size_t i = 0; i < (ligne < 0 ? texte.size() : static_cast<std::size_t>(ligne)); ++i) {
        avant.lf += texte[i] == '\n';
        avant.lf_seul |= texte[i] == '\n' && (i == 0 || texte[i - 1] != '\r');
    }
    return avant;
}

// Whether the search from `depuis` found the line of the text that begins
// there, and counted its line ends.
bool trouve(std::string_view texte, std::size_t depuis)
{
    const std::string_view suite = texte.substr(depuis);
    const std::ptrdiff_t attendue = ligne_attendue(suite);
    const LignesPassees attendues = lignes_avant(suite, attendue);
    LignesPassees avant;
    const std::string_view ligne = ligne_nommee(texte, depuis, avant);
    if (attendue < 0)
        return ligne.empty() && avant.lf == attendues.lf && avant.lf_seul == attendues.lf_seul;
    // The line with its LF, if it has one.
    const std::size_t fin =
        std::min(suite.find('\n', static_cast<std::size_t>(attendue)), suite.size() - 1) + 1;
    return ligne.data() == suite.data() + attendue &&
           ligne.size() == fin - static_cast<std::size_t>(attendue) && avant.lf == attendues.lf &&
           avant.lf_seul == attendues.lf_seul;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    if (texte.empty())
        return 0;
    const std::size_t longueur =
        std::min<std::size_t>(static_cast<unsigned char>(texte[0]) % 24, texte.size() - 1);
    const std::string_view motif = texte.substr(1, longueur);
    texte.remove_prefix(1 + longueur);

    if (cherc2haine(texte, motif) != modele(std::string(texte), std::string(motif)))
        std::abort();
    // From the first line, then from the second.
    const std::size_t deuxieme = texte.find('\n') + 1;
    if (!trouve(texte, 0) || (deuxieme > 0 && !trouve(texte, deuxieme)))
        std::abort();
    return 0;
}
