#include "conversion/convertir.hpp"

#include "conversion/cherc2haine.hpp"

#include <array>

namespace {

// A line holding any of `motifs` is replaced by `remplacement`. The rules are
// tried in this order, so a line that hits both writes the include line first.
struct Regle {
    std::array<std::string_view, 3> motifs;
    std::string_view remplacement;
};

constexpr std::array<Regle, 2> regles = {{
    {{"crash.inc", "ti82.h"}, "#INCLUDE vepbeta.inc\n"},
    {{"call GET_KEY", "CALL GET_KEY", "call\tGET_KEY"}, "        ROM_CALL(GET_KEY)\n"},
}};

bool contient_un(std::string_view ligne, const Regle& regle)
{
    for (std::string_view motif : regle.motifs)
        if (cherc2haine(ligne, motif) >= 0)
            return true;
    return false;
}

} // namespace

void convertir_ligne(std::string_view ligne, EcrivainDos& sortie)
{
    bool remplacee = false;
    for (const Regle& regle : regles) {
        if (contient_un(ligne, regle)) {
            sortie.ecrire(regle.remplacement);
            remplacee = true;
        }
    }
    if (!remplacee)
        sortie.ecrire(ligne);
}

Conversion convertir_fichier(LecteurDos& source, EcrivainDos& sortie)
{
    std::string_view ligne;
    while (source.lire_ligne(ligne))
        convertir_ligne(ligne, sortie);
    if (source.erreur())
        return Conversion::erreur_lecture;
    return sortie.vider() ? Conversion::terminee : Conversion::erreur_ecriture;
}
