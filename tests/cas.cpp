#include "cas.hpp"

#include <cctype>
#include <fstream>
#include <map>
#include <stdexcept>

std::vector<Cas> lire_cas(const std::string& chemin)
{
    const std::string lettres = "rnt0", octets("\r\n\t\0", 4);
    std::map<std::string, std::string> noms{{"VERSION", CRASH2VEP_VERSION}};
    std::ifstream fichier(chemin);
    std::vector<Cas> cas;
    std::string ligne, *champ = nullptr;
    for (int numero = 1; std::getline(fichier, ligne); ++numero) {
        const std::size_t egal = ligne.find(" = ");
        const auto illisible = [&] { return std::runtime_error(chemin + ":" + std::to_string(numero)); };
        if (ligne.find_first_not_of(" \t") == std::string::npos || ligne[0] == '#')
            continue;
        if (ligne[0] == ' ' || ligne[0] == '\t')
            champ = champ != nullptr ? champ : throw illisible();
        else if (egal != std::string::npos && ligne.find('"') > egal)
            champ = &noms[ligne.substr(0, egal)], ligne.erase(0, egal + 3);
        else
            cas.push_back({numero, {""}}), champ = &cas.back().champs.back();
        for (std::size_t p = 0; (p = ligne.find_first_not_of(" \t", p)) != std::string::npos;) {
            if (ligne.compare(p, 2, "=>") == 0) {
                cas.back().champs.emplace_back();
                champ = &cas.back().champs.back();
                p += 2;
            } else if (std::isalpha(static_cast<unsigned char>(ligne[p]))) {
                const std::size_t fin = ligne.find_first_of(" \t", p);
                const auto nom = noms.find(ligne.substr(p, fin - p));
                *champ += nom != noms.end() ? nom->second : throw illisible();
                p = fin;
            } else if (ligne[p++] != '"') {
                throw illisible();
            } else {
                std::string valeur;
                for (; p < ligne.size() && ligne[p] != '"'; ++p) {
                    char c = ligne[p];
                    if (c == '\\' && ligne[++p] == 'x')
                        c = static_cast<char>(std::stoi(ligne.substr(p + 1, 2), nullptr, 16)), p += 2;
                    else if (c == '\\')
                        c = lettres.find(ligne[p]) != std::string::npos ? octets[lettres.find(ligne[p])]
                                                                        : ligne[p];
                    valeur += c;
                }
                std::size_t fois = 1, chiffres = 0;
                if (ligne.compare(++p, 1, "*") == 0)
                    fois = std::stoul(ligne.substr(p + 1), &chiffres), p += 1 + chiffres;
                for (; fois > 0; --fois)
                    *champ += valeur;
            }
        }
    }
    return cas.empty() ? throw std::runtime_error("pas de cas dans " + chemin) : cas;
}
