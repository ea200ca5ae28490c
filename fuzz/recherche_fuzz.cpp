// cherc2haine against std::string_view::find, on any bytes; and the search
// for the rules' names against the first line that holds one, letters folded,
// and the count of the line ends before it. The input holds the length of a pattern for
// cherc2haine, the pattern, then the text.

#include "conversion/cherc2haine.hpp"
#include "conversion/recherche.hpp"
#include "conversion/regles.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Whether the search from `debut`, the start of a line of `texte`, finds what
// a line-by-line look does.
bool trouve(std::string_view texte, std::size_t debut)
{
    LignesPassees attendues;
    std::string_view attendue;
    for (std::size_t place = debut, fin; place < texte.size() && attendue.empty(); place = fin) {
        fin = std::min(texte.find('\n', place), texte.size() - 1) + 1;
        const std::string_view ligne = texte.substr(place, fin - place);
        for (const Regle& regle : regles)
            attendue = nomme(ligne, regle) ? ligne : attendue;
        if (attendue.empty() && ligne.back() == '\n') {
            ++attendues.lf;
            attendues.lf_seul |= ligne.size() < 2 || ligne[ligne.size() - 2] != '\r';
        }
    }
    const std::string_view ligne = ligne_nommee(texte, debut);
    const LignesPassees passees = compter_lignes(texte.substr(
        debut, (ligne.empty() ? texte.data() + texte.size() : ligne.data()) - texte.data() - debut));
    return ligne.data() == attendue.data() && ligne.size() == attendue.size() && passees.lf == attendues.lf &&
           passees.lf_seul == attendues.lf_seul;
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

    const std::size_t place = motif.empty() ? std::string_view::npos : texte.find(motif);
    if (cherc2haine(texte, motif) !=
        (place == std::string_view::npos ? -1 : static_cast<std::ptrdiff_t>(place)))
        std::abort();
    // From the first line, then from the second.
    const std::size_t deuxieme = texte.find('\n') + 1;
    if (!trouve(texte, 0) || (deuxieme > 0 && !trouve(texte, deuxieme)))
        std::abort();
    return 0;
}
