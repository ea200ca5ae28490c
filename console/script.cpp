#include "console/script.hpp"

#include "console/textes.hpp"
#include "platform/texte_dos.hpp"

bool ecrire_script(const std::string& nom_sortie, const std::string& nom_base)
{
    std::FILE* script = std::fopen(texte::nom_script, "wb");
    if (script == nullptr)
        return false;

    // Names are at most 31 characters: both lines fit.
    char ligne[128];
    EcrivainDos ecrivain(script);
    std::snprintf(ligne, sizeof ligne, texte::ligne_tasm, nom_sortie.c_str());
    ecrivain.ecrire(ligne);
    std::snprintf(ligne, sizeof ligne, texte::ligne_korvex, nom_base.c_str());
    ecrivain.ecrire(ligne);
    const bool ecrit = ecrivain.vider();
    return std::fclose(script) == 0 && ecrit;
}
