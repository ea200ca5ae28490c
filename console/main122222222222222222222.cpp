// crash2vep: ports a TI-82 program written for crash or ash to VEP, then
// builds it with the script "VEP.bat".

#include "console/arguments.hpp"
#include "console/dialogue.hpp"
#include "console/script.hpp"
#include "console/textes.hpp"
#include "conversion/convertir.hpp"
#include "platform/console.hpp"
#include "platform/interprete.hpp"

#include <cstdio>
#include <string>

namespace {

// Converts the whole source; tells the user and returns false if it could not
// be read to its end or the new source could not be written in full.
bool convertir(Console& console, std::FILE* source, std::FILE* sortie, Rapport& rapport)
{
    LecteurDos lecteur(source);
    EcrivainDos ecrivain(sortie);
    switch (convertir_fichier(lecteur, ecrivain, rapport)) {
    case Conversion::terminee:
        return true;
    case Conversion::erreur_lecture:
        dire(console, texte::erreur_lecture);
        return false;
    case Conversion::erreur_ecriture:
        dire(console, texte::erreur_ecriture);
        return false;
    case Conversion::memoire_insuffisante:
        dire(console, texte::memoire_insuffisante);
        return false;
    }
    return false;
}

int abandonner(Console& console)
{
    dire(console, texte::abandon);
    return 1;
}

// Writes `texte` alone on standard output: the exit status.
int afficher(const char* texte)
{
    return std::fputs(texte, stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    garder_flux_standard();
    switch (lire_arguments(argc, argv)) {
    case Demande::aide:
        return afficher(texte::aide);
    case Demande::version:
        return afficher("crash2vep " CRASH2VEP_VERSION "\n");
    case Demande::dialogue:
        break;
    }
    Console console{stdin, stdout, stderr};
    std::string nom_source, nom_sortie, nom_base;

    Fichier source = demander_source(console, nom_source);
    if (!source)
        return abandonner(console);
    Fichier sortie = demander_sortie(console, source.get(), nom_sortie);
    if (!sortie)
        return abandonner(console);

    Rapport rapport;
    if (!convertir(console, source.get(), sortie.get(), rapport))
        return 1;
    const bool rapport_ecrit = rapport.ecrire(nom_source, console.erreurs);

    dire(console, texte::annonce_base);
    if (!demander_nom(console, texte::question_base, nom_base))
        return abandonner(console);

    if (!ecrire_script(nom_sortie, nom_base)) {
        dire(console, texte::script_impossible);
        return 1;
    }
    if (!fermer(sortie)) {
        dire(console, texte::erreur_ecriture);
        return 1;
    }
    fermer(source);

    lancer_script(console.sortie);
    dire(console, texte::fin);
    attendre_touche(console.sortie);
    // The work is done, but a console that lost what was said to it fails the run.
    return rapport_ecrit && std::fflush(console.sortie) == 0 && !std::ferror(console.sortie) ? 0 : 1;
}
