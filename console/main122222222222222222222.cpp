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

// What the user is told when the conversion stops short, by its outcome.
constexpr const char* echecs[] = {nullptr,                      // Conversion::terminee
                                  texte::erreur_lecture,        // Conversion::erreur_lecture
                                  texte::erreur_ecriture,       // Conversion::erreur_ecriture
                                  texte::memoire_insuffisante}; // Conversion::memoire_insuffisante

// Converts the whole source; tells the user and returns false if it could not
// be read to its end or the new source could not be written in full.
bool convertir(Console& console, std::FILE* source, std::FILE* sortie, Rapport& rapport)
{
    LecteurDos lecteur(source);
    EcrivainDos ecrivain(sortie);
    const char* echec = echecs[static_cast<int>(convertir_fichier(lecteur, ecrivain, rapport))];
    if (echec != nullptr)
        dire(console, echec);
    return echec == nullptr;
}

// Writes VEP.bat, closes the new source and then the source, and runs
// VEP.bat. False, the user told why, if VEP.bat or the new source could not
// be written in full: then nothing runs.
bool construire(Console& console, Fichier& source, Fichier& sortie, const std::string& nom_sortie,
                const std::string& nom_base)
{
    if (!ecrire_script(nom_sortie, nom_base)) {
        dire(console, texte::script_impossible);
        return false;
    }
    if (!fermer(sortie)) {
        dire(console, texte::erreur_ecriture);
        return false;
    }
    fermer(source);
    executer_script(texte::nom_script, console.sortie);
    return true;
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

    if (!construire(console, source, sortie, nom_sortie, nom_base))
        return 1;
    dire(console, texte::fin);
    attendre_touche(console.entree, console.sortie);
    // The work is done, but a console that lost what was said to it fails the run.
    return rapport_ecrit && std::fflush(console.sortie) == 0 && !std::ferror(console.sortie) ? 0 : 1;
}
