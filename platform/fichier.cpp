#include "platform/fichier.hpp"

bool designe(const char* nom, const char* nom_fixe)
{
    const std::optional<Identite> a = identite(nom);
    const std::optional<Identite> b = identite(nom_fixe);
    if (a && b)
        return *a == *b;
    return meme_chemin(nom, nom_fixe);
}

bool fermer(Fichier& fichier)
{
    return std::fclose(fichier.release()) == 0;
}
