#include "console/script.hpp"

#include "console/textes.hpp"
#include "platform/fichier.hpp"
#include "platform/interprete.hpp"
#include "platform/lisible.hpp"
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

bool executer_construction(const std::string& nom_base, std::FILE* console, std::FILE* erreurs)
{
    const std::string objet = nom_base + ".OBJ";
    const std::optional<Empreinte> avant = empreinte(objet.c_str());
    const bool commandes = executer_script(texte::nom_script, console);
    // TASM that failed leaves the object of an earlier build, which the
    // converter tool then takes for this one; on Windows, cmd's status tells
    // only of the last command. An object file that the tools removed is not
    // said to be old: it may have been written, then used up.
    const std::optional<Empreinte> apres = empreinte(objet.c_str());
    const bool objet_ancien = avant && apres && *avant == *apres;
    if (commandes && !objet_ancien)
        return true;
    const char* message = !objet_ancien ? texte::echec_commande
                          : commandes   ? texte::objet_ancien
                                        : texte::echec_commande_objet_ancien;
    std::fprintf(erreurs, message, lisible(objet, false).c_str());
    return false;
}
