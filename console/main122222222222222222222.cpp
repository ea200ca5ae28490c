// crash2vep: ports a TI-82 program written for crash or ash to VEP, then
// builds it with the script "VEP.bat".

#include "console/arguments.hpp"
#include "console/dialogue.hpp"
#include "console/noms.hpp"
#include "console/script.hpp"
#include "console/textes.hpp"
#include "console/verification.hpp"
#include "conversion/convertir.hpp"
#include "platform/console.hpp"
#include "platform/fichier.hpp"
#include "platform/interprete.hpp"

#include <cstdio>
#include <initializer_list>
#include <new>
#include <string>
#include <utility>

namespace {

// What the user is told when the conversion stops short, by its outcome.
constexpr std::pair<Conversion, const char*> echecs[] = {
    {Conversion::erreur_lecture, texte::erreur_lecture},
    {Conversion::erreur_ecriture, texte::erreur_ecriture},
    {Conversion::memoire_insuffisante, texte::memoire_insuffisante},
};

// Converts the whole source; tells the user and returns false if it could not
// be read to its end or the new source could not be written in full.
bool convertir(Console& console, LecteurDos& source, std::FILE* sortie, Rapport& rapport)
{
    const Conversion fin = convertir_fichier(source, sortie, rapport);
    for (const auto& [echec, message] : echecs)
        if (fin == echec)
            dire(console, message);
    return fin == Conversion::terminee;
}

// Writes VEP.bat, closes the new source and then the source, and runs
// VEP.bat. The exit status: 1, the user told why, if VEP.bat or the new
// source could not be written in full: then nothing runs; 3 if the build
// failed; else 0.
int construire(Console& console, Fichier& source, Fichier& sortie, const std::string& nom_sortie,
               const std::string& nom_base)
{
    if (!ecrire_script(nom_sortie, nom_base)) {
        dire(console, texte::script_impossible);
        return 1;
    }
    if (!fermer(sortie)) {
        dire(console, texte::erreur_ecriture);
        return 1;
    }
    fermer(source);
    return executer_construction(nom_base, console.sortie, console.erreurs) ? 0 : 3;
}

int abandonner(Console& console)
{
    dire(console, texte::abandon);
    return 1;
}

// Writes `textes` on `flux`; the exit status: 0, or `echec` if they could not
// all be written.
int afficher(std::FILE* flux, std::initializer_list<const char*> textes, int echec)
{
    bool ecrit = true;
    for (const char* texte : textes)
        ecrit = std::fputs(texte, flux) >= 0 && ecrit;
    return ecrit && std::fflush(flux) == 0 ? 0 : echec;
}

// The base name: `argument`, or the new file without its .asm when it was
// given alone on the command line and taken (`deduire`), or else asked for.
bool demander_base(Console& console, Argument argument, bool deduire, const std::string& nom_sortie,
                   std::string& nom_base)
{
    std::string deduite;
    if (deduire && base_deduite(nom_sortie, deduite))
        argument = deduite;
    if (!argument)
        dire(console, texte::annonce_base);
    return demander_nom(console, texte::question_base, nom_base, argument);
}

// The dialogue, each of `arguments` answering its question in turn; the
// exit status.
int dialoguer(Console& console, std::vector<std::string> arguments, bool pause)
{
    arguments.resize(3);
    const auto donne = [&arguments](std::size_t i) {
        return arguments[i].empty() ? Argument() : arguments[i];
    };
    std::string nom_source, nom_sortie, nom_base;
    Fichier source = demander_source(console, nom_source, donne(0));
    if (!source)
        return abandonner(console);
    // Its memory is taken before the new file is created: a run short of
    // memory stops before it empties a file.
    LecteurDos lecteur(source.get());
    // From the explorer, every file dropped on the program is an argument:
    // a second one, an existing file, would be taken for the new file and
    // overwritten.
    if (console_a_soi() && donne(1) && identite(arguments[1].c_str())) {
        dire(console, texte::sortie_existante);
        arguments[1].clear();
    }
    const std::size_t lues = console.lues;
    Fichier sortie = demander_sortie(console, source.get(), nom_sortie, donne(1));
    if (!sortie)
        return abandonner(console);

    Rapport rapport;
    if (!convertir(console, lecteur, sortie.get(), rapport))
        return 1;
    const bool rapport_ecrit = rapport.ecrire(nom_source, console.erreurs);
    // Nothing was typed for the new file: its argument was taken.
    const bool deduire = donne(1) && !donne(2) && console.lues == lues;
    if (!demander_base(console, donne(2), deduire, nom_sortie, nom_base))
        return abandonner(console);
    const int construction = construire(console, source, sortie, nom_sortie, nom_base);
    if (construction == 1)
        return 1;
    dire(console, texte::fin);
    if (pause)
        attendre_touche(console.entree, console.sortie);
    // A failed build's status comes first. Otherwise the work is done, but a
    // console that lost what was said to it fails the run.
    const bool console_ecrite = rapport_ecrit && std::fflush(console.sortie) == 0 && !std::ferror(console.sortie);
    return construction != 0 ? construction : console_ecrite ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const bool entree_fermee = garder_flux_standard();
    const Arguments arguments = lire_arguments(arguments_du_programme(argc, argv));
    switch (arguments.demande) {
    case Demande::aide:
        return afficher(stdout, {texte::usage, texte::aide}, 1);
    case Demande::version:
        return afficher(stdout, {"crash2vep " CRASH2VEP_VERSION "\n"}, 1);
    case Demande::erreur:
        afficher(stderr, {arguments.erreur.c_str(), texte::usage}, 2);
        if (console_a_soi()) // the window stays until the message is read
            attendre_touche(stdin, stdout);
        return 2;
    case Demande::verification:
        try {
            return verifier(arguments.noms, entree_fermee ? nullptr : stdin, stderr);
        } catch (const std::bad_alloc&) {
            afficher(stderr, {texte::memoire}, 2);
            return 2;
        }
    case Demande::dialogue:
        break;
    }
    Console console{stdin, stdout, stderr};
    try {
        return dialoguer(console, arguments.noms, arguments.pause);
    } catch (const std::bad_alloc&) {
        dire(console, texte::memoire);
        return 1;
    }
}
