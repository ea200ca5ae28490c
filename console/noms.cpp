#include "console/noms.hpp"

#include "console/textes.hpp"
#include "conversion/casse.hpp"
#include "platform/fichier.hpp"
#include "platform/interprete.hpp"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::string_view peripheriques[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
constexpr std::string_view ports[] = {"COM", "LPT"}; // followed by a digit from 1 to 9
constexpr std::string_view outils[] = {"tasm", "KORVEX_modified_for_VEP"};
// The extensions of PATHEXT: cmd runs a file that has one of them.
constexpr std::string_view executables[] = {".com", ".exe", ".bat", ".cmd", ".vbs", ".vbe",
                                            ".js",  ".jse", ".wsf", ".wsh", ".msc"};

// What cmd would read in VEP.bat as an operator, an escape, a variable, a
// quote or the end of a word, and bytes nobody can see or type (0x1A would
// even end VEP.bat).
bool interdit(char c)
{
    const unsigned char octet = static_cast<unsigned char>(c);
    return octet <= 0x20 || octet == 0x7F || std::strchr("&|<>^%\"", octet) != nullptr;
}

// The file's own name, as Windows reads it: after the last folder (either
// slash) or drive, up to a ':' (a device's colon or a stream's name), and
// without the dots that end it, which Windows drops.
std::string_view nom_de_fichier(std::string_view nom)
{
    const std::size_t barre = nom.find_last_of("/\\");
    if (barre != std::string_view::npos)
        nom.remove_prefix(barre + 1);
    else if (nom.size() >= 2 && nom[1] == ':')
        nom.remove_prefix(2);
    nom = nom.substr(0, nom.find(':'));
    while (!nom.empty() && nom.back() == '.')
        nom.remove_suffix(1);
    return nom;
}

// Windows opens a device for a name whose part before its first dot is the
// device's, whatever folder and extension come with it.
bool peripherique(std::string_view nom)
{
    const std::string_view radical = nom.substr(0, nom.find('.'));
    for (std::string_view appareil : peripheriques)
        if (egal_replie(radical, appareil))
            return true;
    for (std::string_view port : ports)
        if (radical.size() == 4 && egal_replie(radical.substr(0, 3), port) && radical[3] >= '1' &&
            radical[3] <= '9')
            return true;
    return false;
}

} // namespace

const char* refus_de_nom(std::string_view nom)
{
    if (nom.size() > longueur_max_nom)
        return texte::nom_trop_long;
    if (std::any_of(nom.begin(), nom.end(), interdit) || lu_comme_option(nom))
        return texte::caractere_interdit;
    if (peripherique(nom_de_fichier(nom)))
        return texte::nom_de_peripherique;
    return nullptr;
}

bool nom_d_outil(std::string_view nom)
{
    nom = nom_de_fichier(nom);
    const std::size_t point = nom.find('.');
    if (point == std::string_view::npos)
        return false;
    const std::string_view radical = nom.substr(0, point), extension = nom.substr(point);
    return std::any_of(std::begin(outils), std::end(outils),
                       [radical](std::string_view outil) { return egal_replie(radical, outil); }) &&
           std::any_of(std::begin(executables), std::end(executables),
                       [extension](std::string_view e) { return egal_replie(extension, e); });
}

bool fichier_d_outil(const std::optional<Identite>& fichier)
{
    if (!fichier)
        return false;
    for (std::string_view outil : outils)
        for (std::string_view extension : executables)
            if (identite((std::string(outil) + std::string(extension)).c_str()) == fichier)
                return true;
    return false;
}

bool base_deduite(std::string_view nom, std::string& base)
{
    constexpr std::string_view extension = ".asm";
    if (nom.size() <= extension.size() || !egal_replie(nom.substr(nom.size() - extension.size()), extension))
        return false;
    base = nom.substr(0, nom.size() - extension.size());
    return true;
}
