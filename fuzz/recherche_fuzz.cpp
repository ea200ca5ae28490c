// cherc2haine and Cherc2haines against std::string_view::find, on any bytes
// (folded for Cherc2haines), and the line ends Cherc2haines counts on its
// way. The input holds a count of patterns, then each pattern after its
// length, then the text.

#include "conversion/cherc2haine.hpp"

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

// The line ends of `texte` before the line that holds `place` (all of them
// if `place` is -1).
LignesAvant lignes_avant(std::string_view texte, std::ptrdiff_t place)
{
    const std::size_t ligne =
        place < 0 ? texte.size() : texte.substr(0, static_cast<std::size_t>(place)).rfind('\n') + 1;
    LignesAvant avant;
    for (std::size_t i = 0; i < ligne; ++i) {
        avant.lf += texte[i] == '\n';
        avant.lf_seul |= texte[i] == '\n' && (i == 0 || texte[i - 1] != '\r');
    }
    return avant;
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

    Cherc2haines recherche;
    std::ptrdiff_t premiere = -1;
    for (std::string_view motif : motifs) {
        if (cherc2haine(texte, motif) != modele(std::string(texte), std::string(motif)))
            std::abort();
        const std::ptrdiff_t attendue = modele(std::string(texte), std::string(motif), true);
        if (attendue >= 0 && (premiere < 0 || attendue < premiere))
            premiere = attendue;
        recherche.ajouter(motif);
    }
    LignesAvant avant;
    const LignesAvant attendues = lignes_avant(texte, premiere);
    if (recherche.premiere(texte, 0, avant) != premiere || avant.lf != attendues.lf ||
        avant.lf_seul != attendues.lf_seul)
        std::abort();

    // From the second line on: as in the text that begins there.
    const std::size_t depuis = texte.find('\n') + 1;
    if (depuis == 0)
        return 0;
    const std::string_view suite = texte.substr(depuis);
    std::ptrdiff_t dans_la_suite = -1;
    for (std::string_view motif : motifs) {
        const std::ptrdiff_t attendue = modele(std::string(suite), std::string(motif), true);
        if (attendue >= 0 && (dans_la_suite < 0 || attendue < dans_la_suite))
            dans_la_suite = attendue;
    }
    const LignesAvant apres = lignes_avant(suite, dans_la_suite);
    const std::ptrdiff_t trouvee = recherche.premiere(texte, depuis, avant);
    if (trouvee != (dans_la_suite < 0 ? -1 : static_cast<std::ptrdiff_t>(depuis) + dans_la_suite) ||
        avant.lf != apres.lf || avant.lf_seul != apres.lf_seul)
        std::abort();
    return 0;
}
