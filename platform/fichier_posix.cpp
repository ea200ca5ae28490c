#include "platform/fichier.hpp"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

Identite identite_de(const struct stat& etat)
{
    return {static_cast<unsigned long long>(etat.st_dev), static_cast<unsigned long long>(etat.st_ino)};
}

// `nom` made absolute with its folder resolved (symbolic links, . and ..);
// the last component is kept as written, since it may not exist yet.
std::optional<std::string> chemin_normalise(const std::string& nom)
{
    const std::string::size_type barre = nom.find_last_of('/');
    std::string dossier = barre == std::string::npos ? "." : nom.substr(0, barre + 1);
    std::string dernier = barre == std::string::npos ? nom : nom.substr(barre + 1);
    if (dernier == "." || dernier == "..") {
        dossier = nom;
        dernier.clear();
    }
    char resolu[PATH_MAX];
    if (realpath(dossier.c_str(), resolu) == nullptr)
        return std::nullopt;
    return std::string(resolu) + "/" + dernier;
}

} // namespace

std::FILE* ouvrir(const std::string& nom, const char* mode)
{
    return std::fopen(nom.c_str(), mode);
}

bool est_peripherique(std::FILE*)
{
    return false;
}

std::optional<std::string> nom_pour_script(const std::string& nom)
{
    return nom;
}

std::optional<Empreinte> empreinte(const char* nom)
{
    struct stat etat;
    if (stat(nom, &etat) != 0)
        return std::nullopt;
    return Empreinte{identite_de(etat), static_cast<unsigned long long>(etat.st_size),
                     etat.st_mtim.tv_sec * 1'000'000'000LL + etat.st_mtim.tv_nsec};
}

std::optional<Identite> identite(const char* nom)
{
    const std::optional<Empreinte> fichier = empreinte(nom);
    return fichier ? std::optional<Identite>(fichier->identite) : std::nullopt;
}

std::optional<Identite> identite(std::FILE* fichier)
{
    struct stat etat;
    if (fstat(fileno(fichier), &etat) != 0)
        return std::nullopt;
    return identite_de(etat);
}

bool est_dossier(const char* nom)
{
    struct stat etat;
    return stat(nom, &etat) == 0 && S_ISDIR(etat.st_mode);
}

bool meme_chemin(const char* a, const char* b)
{
    const std::optional<std::string> chemin_a = chemin_normalise(a);
    return chemin_a && chemin_a == chemin_normalise(b);
}

std::vector<std::string> arguments_du_programme(int argc, char** argv)
{
    return {argv + std::min(argc, 1), argv + argc};
}
