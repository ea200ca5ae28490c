#include "cas.hpp"

#include <cctype>
#include <fstream>
#include <stdexcept>

namespace {

// The quoted string at `p` in `ligne`, unescaped and repeated as its *N says;
// `p` goes past it.
std::string chaine(const std::string& ligne, std::size_t& p)
{
    const std::string lettres = "rnt0", octets("\r\n\t\0", 4);
    std::string valeur;
    for (++p; ligne.at(p) != '"'; ++p) {
        char c = ligne[p];
        if (c == '\\' && ligne.at(++p) == 'x') {
            c = static_cast<char>(std::stoi(ligne.substr(p + 1, 2), nullptr, 16));
            p += 2;
        } else if (c == '\\') {
            c = lettres.find(ligne[p]) == std::string::npos ? ligne[p] : octets[lettres.find(ligne[p])];
        }
        valeur += c;
    }
    std::size_t fois = 1, chiffres = 0;
    if (ligne.compare(++p, 1, "*") == 0) {
        fois = std::stoul(ligne.substr(p + 1), &chiffres);
        p += 1 + chiffres;
    }
    std::string repetee;
    for (; fois > 0; --fois)
        repetee += valeur;
    return repetee;
}

// Reads a file of cases line by line.
class Lecture {
public:
    Lecture(const std::vector<std::string>& places, std::map<std::string, std::string> noms)
        : places_(places), noms_(std::move(noms))
    {
    }

    // One line of the file, the `numero`th. In C++, a text constant,
    // constexpr char nom[] = "...";, defines a name; the rest is skipped.
    void lire(std::string ligne, int numero)
    {
        if (ligne.rfind(constante, 0) == 0)
            ligne = ligne.substr(constante.size(), ligne.find('[') - constante.size()) + " = " +
                    ligne.substr(ligne.find('=') + 1);
        if (!ligne.empty() && ligne.back() == ';')
            ligne.pop_back();
        const std::size_t egal = ligne.find(" = ");
        if (ligne.find_first_not_of(" \t") == std::string::npos ||
            std::string("#/}").find(ligne[0]) != std::string::npos || ligne.rfind("namespace", 0) == 0)
            return;
        if (ligne[0] != ' ' && ligne[0] != '\t' && egal != std::string::npos && ligne.find('"') > egal) {
            champ_ = &noms_[ligne.substr(0, egal)];
            valeurs(ligne, egal + 3);
            return;
        }
        if (ligne[0] != ' ' && ligne[0] != '\t') {
            cas_.push_back({numero, {}});
            place_ = 0;
            champ_ = &cas_.back().champs[places_.at(0)];
        }
        if (champ_ == nullptr)
            throw std::runtime_error("ligne de suite sans cas");
        valeurs(ligne, 0);
    }

    std::vector<Cas> cas_;

private:
    // The values, names, labels and => from `p` in `ligne`.
    void valeurs(const std::string& ligne, std::size_t p)
    {
        while ((p = ligne.find_first_not_of(" \t", p)) != std::string::npos) {
            const std::size_t fin = std::min(ligne.find_first_of(" \t", p), ligne.size());
            const std::string mot = ligne.substr(p, fin - p);
            if (ligne[p] == '"') {
                *champ_ += chaine(ligne, p);
            } else if (mot == "=>") {
                champ_ = &cas_.at(cas_.size() - 1).champs[places_.at(++place_)];
                p = fin;
            } else if (mot.back() == ':') {
                champ_ = &cas_.at(cas_.size() - 1).champs[mot.substr(0, mot.size() - 1)];
                p = fin;
            } else {
                *champ_ += noms_.at(mot);
                p = fin;
            }
        }
    }

    static inline const std::string constante = "constexpr char ";
    const std::vector<std::string>& places_;
    std::map<std::string, std::string> noms_;
    std::string* champ_ = nullptr;
    std::size_t place_ = 0;
};

} // namespace

std::string Cas::operator[](const std::string& nom) const
{
    const auto champ = champs.find(nom);
    return champ == champs.end() ? "" : champ->second;
}

std::vector<Cas> lire_cas(const std::string& chemin, const std::vector<std::string>& places,
                          const std::vector<std::string>& textes)
{
    Lecture lecture(places, {{"VERSION", CRASH2VEP_VERSION}});
    std::vector<std::string> fichiers = textes;
    fichiers.push_back(chemin);
    for (const std::string& nom : fichiers) {
        std::ifstream fichier(nom);
        std::string ligne;
        for (int numero = 1; std::getline(fichier, ligne); ++numero) {
            try {
                lecture.lire(ligne, numero);
            } catch (const std::exception& e) {
                throw std::runtime_error(nom + ":" + std::to_string(numero) + ": " + e.what());
            }
        }
    }
    if (lecture.cas_.empty())
        throw std::runtime_error("pas de cas dans " + chemin);
    return lecture.cas_;
}
