#include "cas.hpp"

#include <fstream>
#include <stdexcept>

namespace {

// The quoted string at `p` in `ligne`, unescaped and repeated as its *N
// says; `p` goes past it.
std::string chaine(const std::string& ligne, std::size_t& p)
{
    const std::string lettres = "rnt0", octets("\r\n\t\0", 4);
    std::string valeur;
    for (++p; ligne.at(p) != '"'; ++p) {
        const bool echappe = ligne[p] == '\\';
        p += echappe;
        const std::size_t lettre = echappe ? lettres.find(ligne.at(p)) : std::string::npos;
        if (echappe && ligne[p] == 'x')
            valeur += static_cast<char>(std::stoi(ligne.substr(p + 1, 2), nullptr, 16));
        else
            valeur += lettre == std::string::npos ? ligne[p] : octets[lettre];
        p += echappe && ligne[p] == 'x' ? 2 : 0;
    }
    std::size_t fois = 1, chiffres = 0;
    if (ligne.compare(++p, 1, "*") == 0)
        fois = std::stoul(ligne.substr(++p), &chiffres);
    p += chiffres;
    std::string repetee;
    while (fois-- > 0)
        repetee += valeur;
    return repetee;
}

// What has been read of a file of cases, and where the next values go.
struct Lecture {
    const std::vector<std::string>& places;
    std::map<std::string, std::string> noms;
    std::vector<Cas> cas;
    std::string* champ = nullptr;
    std::size_t place = 0;

    // The values, names, labels and => of `ligne` from `p` on.
    void valeurs(const std::string& ligne, std::size_t p)
    {
        while ((p = ligne.find_first_not_of(" \t", p)) != std::string::npos) {
            const std::size_t fin = std::min(ligne.find_first_of(" \t", p), ligne.size());
            const std::string mot = ligne.substr(p, fin - p);
            if (ligne[p] == '"') {
                *champ += chaine(ligne, p);
                continue;
            }
            if (mot == "=>")
                champ = &cas.back().champs[places.at(++place)];
            else if (mot.back() == ':')
                champ = &cas.back().champs[mot.substr(0, mot.size() - 1)];
            else
                *champ += noms.at(mot);
            p = fin;
        }
    }

    // One line. Of a C++ header (`entete`), only the text constants count,
    // constexpr char nom[] = "...";, and the lines that go on with a string.
    void lire(std::string ligne, int numero, bool entete)
    {
        const std::string constante = "constexpr char ";
        if (ligne.rfind(constante, 0) == 0)
            ligne = ligne.substr(constante.size(), ligne.find('[') - constante.size()) + " = " +
                    ligne.substr(ligne.find('=') + 1);
        else if (entete && ligne.find_first_not_of(" \t") != ligne.find('"'))
            return;
        if (!ligne.empty() && ligne.back() == ';')
            ligne.pop_back();
        if (ligne.find_first_not_of(" \t") == std::string::npos || ligne[0] == '#')
            return;
        const std::size_t egal = ligne.find(" = ");
        const bool suite = ligne[0] == ' ' || ligne[0] == '\t';
        const bool nom = !suite && egal != std::string::npos && ligne.find('"') > egal;
        if (nom) {
            champ = &noms[ligne.substr(0, egal)];
        } else if (!suite) {
            cas.push_back({numero, {}});
            place = 0;
            champ = &cas.back().champs[places.at(0)];
        }
        valeurs(ligne, nom ? egal + 3 : 0);
    }
};

} // namespace

std::vector<Cas> lire_cas(const std::string& chemin, const std::vector<std::string>& places,
                          std::vector<std::string> textes)
{
    Lecture lecture{places, {{"VERSION", CRASH2VEP_VERSION}}, {}};
    textes.push_back(chemin);
    for (const std::string& nom : textes) {
        std::ifstream fichier(nom);
        std::string ligne;
        for (int numero = 1; std::getline(fichier, ligne); ++numero) {
            try {
                lecture.lire(ligne, numero, nom != chemin);
            } catch (const std::exception& e) {
                throw std::runtime_error(nom + ":" + std::to_string(numero) + ": " + e.what());
            }
        }
    }
    if (lecture.cas.empty())
        throw std::runtime_error("pas de cas dans " + chemin);
    return lecture.cas;
}
