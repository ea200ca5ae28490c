#include "cas.hpp"

#include <fstream>
#include <stdexcept>

std::vector<Cas> lire_cas(const std::string& chemin)
{
    const std::string lettres = "rnt0", octets("\r\n\t\0", 4);
    std::ifstream fichier(chemin);
    std::vector<Cas> cas;
    std::string ligne;
    for (int numero = 1; std::getline(fichier, ligne); ++numero) {
        if (ligne.find_first_not_of(" \t") == std::string::npos || ligne[0] == '#')
            continue;
        cas.push_back({numero, {""}});
        for (std::size_t p = 0; (p = ligne.find_first_not_of(" \t", p)) != std::string::npos;) {
            if (ligne.compare(p, 2, "=>") == 0) {
                cas.back().champs.emplace_back();
                p += 2;
                continue;
            }
            if (ligne[p++] != '"')
                throw std::runtime_error(chemin + ":" + std::to_string(numero) + ": illisible");
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
                cas.back().champs.back() += valeur;
        }
    }
    if (cas.empty())
        throw std::runtime_error("pas de cas dans " + chemin);
    return cas;
}
