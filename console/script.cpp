#include "console/script.hpp"

#include "console/textes.hpp"
#include "platform/fichier.hpp"
#include "platform/texte_dos.hpp"

namespace {

// The script's line `modele` with `nom` in place of its %s, whatever their lengths.
std::string avec_nom(std::string modele, const std::string& nom)
{
    return modele.replace(modele.find("%s"), 2, nom);
}

} // namespace

bool ecrire_script(const std::string& nom_sortie, const std::string& nom_base)
{
    const std::optional<std::string> sortie = nom_pour_script(nom_sortie);
    const std::optional<std::string> base = nom_pour_script(nom_base);
    if (!sortie || !base)
        return false;
    std::FILE* script = std::fopen(texte::nom_script, "wb");
    if (script == nullptr)
        return false;

    EcrivainDos ecrivain(script);
    ecrivain.ecrire(avec_nom(texte::ligne_tasm, *sortie));
    ecrivain.ecrire(avec_nom(texte::ligne_korvex, *base));
    const bool ecrit = ecrivain.vider();
    return std::fclose(script) == 0 && ecrit;
}
