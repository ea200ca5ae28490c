#include "platform/ecriture.hpp"

bool ecrire_morceaux(std::FILE* fichier, const Morceau* morceaux, std::size_t nombre)
{
    bool ecrit = true;
    for (std::size_t i = 0; i < nombre; ++i)
        ecrit = std::fwrite(morceaux[i].octets, 1, morceaux[i].taille, fichier) == morceaux[i].taille && ecrit;
    return ecrit;
}
