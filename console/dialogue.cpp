#include "console/dialogue.hpp"

#include "console/noms.hpp"
#include "console/textes.hpp"
#include "platform/console.hpp"
#include "platform/fichier.hpp"

#include <cctype>
#include <cstring>

namespace {

enum class Lecture { lue, trop_longue, fin };

// White space ends a word as for "%s"; so does a NUL byte, which no file
// name can hold.
bool separe(int octet)
{
    return octet == '\0' || std::isspace(octet);
}

// The next byte of the answers, or EOF at their end. An input that a tool
// left non-blocking has not ended when it has nothing yet.
int lire_octet(std::FILE* entree)
{
    int octet;
    while ((octet = std::getc(entree)) == EOF && std::ferror(entree) && attendre_entree(entree))
        std::clearerr(entree);
    return octet;
}

Lecture lire_mot(std::FILE* entree, std::string& mot)
{
    int octet;
    do
        octet = lire_octet(entree);
    while (octet != EOF && separe(octet));
    if (octet == EOF)
        return Lecture::fin;

    mot.clear();
    bool trop_long = false;
    for (; octet != EOF && !separe(octet); octet = lire_octet(entree)) {
        if (mot.size() < longueur_max_nom)
            mot.push_back(static_cast<char>(octet));
        else
            trop_long = true;
    }
    if (octet != EOF)
        std::ungetc(octet, entree);
    return trop_long ? Lecture::trop_longue : Lecture::lue;
}

bool meme_fichier(const std::optional<Identite>& a, const std::optional<Identite>& b)
{
    return a && b && *a == *b;
}

// Why the new file cannot be `nom`, a name that VEP.bat can hold; null if it can.
const char* refus_de_sortie(const Console& console, const std::optional<Identite>& source,
                            const std::string& nom)
{
    const std::optional<Identite> existante = identite(nom.c_str());
    if (designe(nom.c_str(), texte::nom_script))
        return texte::nom_reserve;
    if (nom_d_outil(nom) || fichier_d_outil(existante))
        return texte::nom_d_outil;
    if (meme_fichier(existante, source))
        return texte::sortie_est_source;
    // Written to, the console's own streams would mix the new source with
    // what the tool says, or lose it.
    for (std::FILE* flux : {console.entree, console.sortie, console.erreurs})
        if (meme_fichier(existante, identite(flux)))
            return texte::sortie_impossible;
    return nullptr;
}

} // namespace

void dire(Console& console, const char* texte)
{
    std::fputs(texte, console.sortie);
    std::fflush(console.sortie);
}

bool demander(Console& console, const char* question, std::string& reponse, Argument& argument)
{
    if (argument) {
        reponse = *argument;
        argument.reset();
        return true;
    }
    for (;;) {
        dire(console, question);
        switch (lire_mot(console.entree, reponse)) {
        case Lecture::lue:
            ++console.lues;
            return true;
        case Lecture::fin:
            return false;
        case Lecture::trop_longue:
            dire(console, texte::nom_trop_long);
            break;
        }
    }
}

Fichier demander_source(Console& console, std::string& nom, Argument argument)
{
    while (demander(console, texte::question_source, nom, argument)) {
        if (designe(nom.c_str(), texte::nom_script)) {
            dire(console, texte::nom_reserve);
            continue;
        }
        if (!est_dossier(nom.c_str())) {
            Fichier source{ouvrir(nom, "rb")};
            // Windows opens a device or a pipe for some names (NUL, CON, COM1):
            // they hold no source.
            if (source && !est_peripherique(source.get()))
                return source;
        }
        dire(console, texte::fichier_absent);
    }
    return nullptr;
}

bool demander_nom(Console& console, const char* question, std::string& nom, Argument& argument)
{
    while (demander(console, question, nom, argument)) {
        const char* refus = refus_de_nom(nom);
        // A name that cmd, or the tools after it, would read as another one.
        if (refus == nullptr && !nom_pour_script(nom))
            refus = texte::caractere_interdit;
        if (refus == nullptr)
            return true;
        dire(console, refus);
    }
    return false;
}

Fichier demander_sortie(Console& console, std::FILE* source, std::string& nom, Argument argument)
{
    const std::optional<Identite> identite_source = identite(source);
    while (demander_nom(console, texte::question_sortie, nom, argument)) {
        const char* refus = refus_de_sortie(console, identite_source, nom);
        if (refus == nullptr) {
            Fichier sortie{ouvrir(nom, "wb")};
            // A link that did not lead anywhere may have led onto VEP.bat.
            if (sortie && !meme_fichier(identite(sortie.get()), identite(texte::nom_script)))
                return sortie;
            refus = sortie ? texte::nom_reserve : texte::sortie_impossible;
        }
        dire(console, refus);
    }
    return nullptr;
}
