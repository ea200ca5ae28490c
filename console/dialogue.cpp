#include "console/dialogue.hpp"

#include "console/textes.hpp"
#include "platform/fichier.hpp"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// A name fills a 32-byte field: 31 characters and the terminator.
constexpr std::string::size_type longueur_max_nom = 31;

enum class Lecture { lue, trop_longue, fin };

// White space ends a word as for "%s"; so does a NUL byte, which no file
// name can hold.
bool separe(int octet)
{
    return octet == '\0' || std::isspace(octet);
}

Lecture lire_mot(std::FILE* entree, std::string& mot)
{
    int octet;
    do
        octet = std::getc(entree);
    while (octet != EOF && separe(octet));
    if (octet == EOF)
        return Lecture::fin;

    mot.clear();
    bool trop_long = false;
    for (; octet != EOF && !separe(octet); octet = std::getc(entree)) {
        if (mot.size() < longueur_max_nom)
            mot.push_back(static_cast<char>(octet));
        else
            trop_long = true;
    }
    if (octet != EOF)
        std::ungetc(octet, entree);
    return trop_long ? Lecture::trop_longue : Lecture::lue;
}

// What cmd would read in VEP.bat as an operator, an escape, a variable or a
// quote, and bytes nobody can see or type (0x1A would even end VEP.bat).
bool interdit(char c)
{
    const unsigned char octet = static_cast<unsigned char>(c);
    return octet < 0x20 || octet == 0x7F || std::strchr("&|<>^%\"", octet) != nullptr;
}

bool meme_fichier(const std::optional<Identite>& a, const std::optional<Identite>& b)
{
    return a && b && *a == *b;
}

} // namespace

bool fermer(Fichier& fichier)
{
    return std::fclose(fichier.release()) == 0;
}

void dire(Console& console, const char* texte)
{
    std::fputs(texte, console.sortie);
    std::fflush(console.sortie);
}

bool demander(Console& console, const char* question, std::string& reponse)
{
    for (;;) {
        dire(console, question);
        switch (lire_mot(console.entree, reponse)) {
        case Lecture::lue:
            return true;
        case Lecture::fin:
            return false;
        case Lecture::trop_longue:
            dire(console, texte::nom_trop_long);
            break;
        }
    }
}

Fichier demander_source(Console& console, std::string& nom)
{
    while (demander(console, texte::question_source, nom)) {
        if (designe(nom.c_str(), texte::nom_script)) {
            dire(console, texte::nom_reserve);
            continue;
        }
        if (!est_dossier(nom.c_str()))
            if (std::FILE* source = std::fopen(nom.c_str(), "rb"))
                return Fichier(source);
        dire(console, texte::fichier_absent);
    }
    return nullptr;
}

bool demander_nom(Console& console, const char* question, std::string& nom)
{
    while (demander(console, question, nom)) {
        if (std::none_of(nom.begin(), nom.end(), interdit))
            return true;
        dire(console, texte::caractere_interdit);
    }
    return false;
}

Fichier demander_sortie(Console& console, std::FILE* source, std::string& nom)
{
    const std::optional<Identite> identite_source = identite(source);
    const std::optional<Identite> identite_entree = identite(console.entree);
    while (demander_nom(console, texte::question_sortie, nom)) {
        const std::optional<Identite> existante = identite(nom.c_str());
        const char* refus = texte::sortie_impossible;
        if (designe(nom.c_str(), texte::nom_script)) {
            refus = texte::nom_reserve;
        } else if (meme_fichier(existante, identite_source)) {
            refus = texte::sortie_est_source;
        } else if (meme_fichier(existante, identite_entree)) {
            refus = texte::sortie_impossible;
        } else if (Fichier sortie{std::fopen(nom.c_str(), "wb")}) {
            // A link that did not lead anywhere may have led onto VEP.bat.
            if (!meme_fichier(identite(sortie.get()), identite(texte::nom_script)))
                return sortie;
            refus = texte::nom_reserve;
        }
        dire(console, refus);
    }
    return nullptr;
}
