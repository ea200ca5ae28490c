#include "console/script.hpp"

#include "console/textes.hpp"
#include "platform/fichier.hpp"
#include "platform/texte_dos.hpp"

bool ecrire_script(const std::string& nom_sortie, const std::string& nom_base)
{
    const std::optional<std::string> sortie = nom_pour_script(nom_sortie);
    const std::optional<std::string> base = nom_pour_script(nom_base);
    if (!sortie || !base)
        return false;
    std::FILE* script = std::fopen(texte::nom_script, "wb");
    if (script == nullptr)
        return false;

    // Names are at most 31 bytes as typed, which the script's code page
    // writes in at most 3 bytes each: both lines fit.
    char ligne[160];
    EcrivainDos ecrivain(script);
    std::snprintf(ligne, sizeof ligne, texte::ligne_tasm, sortie->c_str());
    ecrivain.ecrire(ligne);
    std::snprintf(ligne, sizeof ligne, texte::ligne_korvex, base->c_str());
    ecrivain.ecrire(ligne);
    const bool ecrit = ecrivain.vider();
    return std::fclose(script) == 0 && ecrit;
}
