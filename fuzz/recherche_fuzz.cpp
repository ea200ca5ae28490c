// cherc2haine against std::string_view::find, on any bytes, and Cherc2haines
// against the line of the first place that find gives for its patterns,
// folded, and the line ends it counts on its way. The input holds a count of
// patterns, then each pattern after its length, then the text.

#include "conversion/cherc2haine.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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

// Where the first line of `texte` that holds one of `motifs`, folded, begins;
// -1 if none.
std::ptrdiff_t ligne_attendue(std::string_view texte, const std::vector<std::string_view>& motifs)
{
    std::ptrdiff_t premiere = -1;
    for (std::string_view motif : motifs) {
        const std::ptrdiff_t place = modele(std::string(texte), std::string(motif), true);
        if (place >= 0 && (premiere < 0 || place < premiere))
            premiere = place;
    }
    return premiere < 0 ? -1
                        : static_cast<std::ptrdiff_t>(
                              texte.substr(0, static_cast<std::size_t>(premiere)).rfind('\n') + 1);
}

// The line ends of `texte` before `ligne` (all of them if `ligne` is -1).
LignesAvant lignes_avant(std::string_view texte, std::ptrdiff_t ligne)
{
    LignesAvant avant;
    for (std::size_t i = 0; i < (ligne < 0 ? texte.size() : static_cast<std::size_t>(ligne)); ++i) {
        avant.lf += texte[i] == '\n';
        avant.lf_seul |= texte[i] == '\n' && (i == 0 || texte[i - 1] != '\r');
    }
    return avant;
}

// Whether the search from `depuis` found the line of the text that begins
// there, and counted its line ends.
bool trouve(const Cherc2haines& recherche, std::string_view texte, std::size_t depuis,
            const std::vector<std::string_view>& motifs)
{
    const std::string_view suite = texte.substr(depuis);
    const std::ptrdiff_t attendue = ligne_attendue(suite, motifs);
    const LignesAvant attendues = lignes_avant(suite, attendue);
    LignesAvant avant;
    const std::string_view ligne = recherche.ligne(texte, depuis, avant);
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
    std::string_view reste(reinterpret_cast<const char*>(donnees), taille);
    if (reste.empty())
        return 0;
    const std::size_t nombre = 1 + static_cast<unsigned char>(reste[0]) % Cherc2haines::motifs_max;
    reste.remove_prefix(1);

    std::vector<std::string_view> motifs;
    for (std::size_t m = 0; m < nombre && !reste.empty(); ++m) {
        const std::size_t longueur =
            std::min<std::size_t>(static_cast<unsigned char>(reste[0]) % 24, reste.size() - 1);
        motifs.push_back(reste.substr(1, longueur));
        reste.remove_prefix(1 + longueur);
    }
    const std::string_view texte = reste;

    // Patterns that the search refuses are looked for by cherc2haine alone.
    Cherc2haines recherche;
    std::vector<std::string_view> pris;
    for (std::string_view motif : motifs) {
        if (cherc2haine(texte, motif) != modele(std::string(texte), std::string(motif)))
            std::abort();
        const bool accepte = motif.size() >= 2 && modele(std::string(motif), "*", true) < 0;
        if (recherche.ajouter(motif) != accepte)
            std::abort();
        if (accepte)
            pris.push_back(motif);
    }
    // From the first line, then from the second.
    const std::size_t deuxieme = texte.find('\n') + 1;
    if (!trouve(recherche, texte, 0, pris) || (deuxieme > 0 && !trouve(recherche, texte, deuxieme, pris)))
        std::abort();
    return 0;
}
