#include "conversion/convertir.hpp"

#include "conversion/cherc2haine.hpp"

#include <array>
#include <new>
#include <string>

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

// Where the line that holds `place` begins in `lignes`.
std::size_t debut_de_ligne(std::string_view lignes, std::size_t place)
{
    const std::size_t lf = lignes.rfind('\n', place);
    return lf == std::string_view::npos ? 0 : lf + 1;
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
    // Lines that hold no pattern go out as they lie on disk, many at a time;
    // each line that holds one goes through convertir_ligne.
    Cherc2haines recherche;
    for (const Regle& regle : regles)
        for (std::string_view motif : regle.motifs)
            recherche.ajouter(motif);
    std::string_view lignes;
    std::string ligne;
    try {
        while (source.lire_lignes(lignes)) {
            for (;;) {
                const std::ptrdiff_t place = recherche.premiere(lignes);
                if (place < 0)
                    break;
                const std::size_t debut = debut_de_ligne(lignes, static_cast<std::size_t>(place));
                sortie.recopier(lignes.substr(0, debut));
                lignes.remove_prefix(debut);
                const std::string_view touchee = premiere_ligne(lignes);
                decoder_ligne(touchee, ligne);
                convertir_ligne(ligne, sortie);
                lignes.remove_prefix(touchee.size());
            }
            sortie.recopier(lignes);
        }
    } catch (const std::bad_alloc&) {
        // The reader holds a whole line: one without end (a device, a huge
        // sparse file) can outgrow memory.
        return Conversion::memoire_insuffisante;
    }
    if (source.erreur())
        return Conversion::erreur_lecture;
    return sortie.vider() ? Conversion::terminee : Conversion::erreur_ecriture;
}
