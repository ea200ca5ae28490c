#include "platform/fichier.hpp"

#include <io.h>
#include <string>
#include <windows.h>

namespace {

std::optional<Identite> identite_de(HANDLE poignee)
{
    BY_HANDLE_FILE_INFORMATION infos;
    if (poignee == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(poignee, &infos))
        return std::nullopt;
    return Identite{infos.dwVolumeSerialNumber,
                    (static_cast<unsigned long long>(infos.nFileIndexHigh) << 32) | infos.nFileIndexLow};
}

std::optional<std::string> chemin_normalise(const char* nom)
{
    char chemin[MAX_PATH * 4];
    const DWORD longueur = GetFullPathNameA(nom, sizeof chemin, chemin, nullptr);
    if (longueur == 0 || longueur >= sizeof chemin)
        return std::nullopt;
    return std::string(chemin, longueur);
}

} // namespace

std::optional<Identite> identite(const char* nom)
{
    // FILE_FLAG_BACKUP_SEMANTICS lets a folder be opened too.
    HANDLE poignee = CreateFileA(nom, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    std::optional<Identite> resultat = identite_de(poignee);
    if (poignee != INVALID_HANDLE_VALUE)
        CloseHandle(poignee);
    return resultat;
}

std::optional<Identite> identite(std::FILE* fichier)
{
    return identite_de(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(fichier))));
}

bool est_dossier(const char* nom)
{
    const DWORD attributs = GetFileAttributesA(nom);
    return attributs != INVALID_FILE_ATTRIBUTES && (attributs & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool meme_chemin(const char* a, const char* b)
{
    const std::optional<std::string> chemin_a = chemin_normalise(a);
    const std::optional<std::string> chemin_b = chemin_normalise(b);
    return chemin_a && chemin_b && lstrcmpiA(chemin_a->c_str(), chemin_b->c_str()) == 0;
}
