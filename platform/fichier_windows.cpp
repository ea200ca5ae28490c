#include "platform/fichier.hpp"

#include <io.h>
#include <string>
#include <windows.h>

namespace {

// The code page of the answers: the console's input code page, or the OEM
// code page when there is no console (GetConsoleCP gives 0).
UINT page_des_reponses()
{
    const UINT page = GetConsoleCP();
    return page != 0 ? page : GetOEMCP();
}

// The code page cmd reads a batch script with.
UINT page_du_script()
{
    const UINT page = GetConsoleOutputCP();
    return page != 0 ? page : GetOEMCP();
}

// `octets` read in code page `page`; none if they are not valid there.
std::optional<std::wstring> en_large(const std::string& octets, UINT page)
{
    if (octets.empty())
        return std::wstring();
    const int taille = static_cast<int>(octets.size());
    const int longueur = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, octets.data(), taille, nullptr, 0);
    if (longueur == 0)
        return std::nullopt;
    std::wstring large(static_cast<std::size_t>(longueur), L'\0');
    MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, octets.data(), taille, &large[0], longueur);
    return large;
}

// `large` written in code page `page`, a character it lacks replaced by its
// default character or a look-alike.
std::string en_octets(const std::wstring& large, UINT page)
{
    const int taille = static_cast<int>(large.size());
    const int longueur = WideCharToMultiByte(page, 0, large.data(), taille, nullptr, 0, nullptr, nullptr);
    std::string octets(static_cast<std::size_t>(longueur), '\0');
    if (longueur > 0)
        WideCharToMultiByte(page, 0, large.data(), taille, &octets[0], longueur, nullptr, nullptr);
    return octets;
}

// `large` in the bytes of code page `page`, if they read back as `large`:
// a character the code page lacks would become a look-alike, and a name
// another file's.
std::optional<std::string> porte(const std::wstring& large, UINT page)
{
    std::string octets = en_octets(large, page);
    if (en_large(octets, page) != large)
        return std::nullopt;
    return octets;
}

std::optional<std::wstring> nom_large(const char* nom)
{
    return en_large(nom, page_des_reponses());
}

std::optional<BY_HANDLE_FILE_INFORMATION> infos_de(HANDLE poignee)
{
    BY_HANDLE_FILE_INFORMATION infos;
    if (poignee == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(poignee, &infos))
        return std::nullopt;
    return infos;
}

// What the file system says of the file the typed name `nom` leads to.
std::optional<BY_HANDLE_FILE_INFORMATION> infos_de(const char* nom)
{
    const std::optional<std::wstring> large = nom_large(nom);
    // FILE_FLAG_BACKUP_SEMANTICS lets a folder be opened too.
    HANDLE poignee = INVALID_HANDLE_VALUE;
    if (large)
        poignee = CreateFileW(large->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const std::optional<BY_HANDLE_FILE_INFORMATION> infos = infos_de(poignee);
    if (poignee != INVALID_HANDLE_VALUE)
        CloseHandle(poignee);
    return infos;
}

unsigned long long sur_64_bits(DWORD haut, DWORD bas)
{
    return (static_cast<unsigned long long>(haut) << 32) | bas;
}

std::optional<Identite> identite_de(const std::optional<BY_HANDLE_FILE_INFORMATION>& infos)
{
    if (!infos)
        return std::nullopt;
    return Identite{infos->dwVolumeSerialNumber, sur_64_bits(infos->nFileIndexHigh, infos->nFileIndexLow)};
}

std::optional<std::wstring> chemin_normalise(const char* nom)
{
    const std::optional<std::wstring> large = nom_large(nom);
    wchar_t chemin[MAX_PATH * 4];
    const DWORD longueur = large ? GetFullPathNameW(large->c_str(), MAX_PATH * 4, chemin, nullptr) : 0;
    if (longueur == 0 || longueur >= MAX_PATH * 4)
        return std::nullopt;
    return std::wstring(chemin, longueur);
}

} // namespace

std::FILE* ouvrir(const std::string& nom, const char* mode)
{
    const std::optional<std::wstring> large = nom_large(nom.c_str());
    const std::wstring mode_large(mode, mode + std::char_traits<char>::length(mode));
    return large ? _wfopen(large->c_str(), mode_large.c_str()) : nullptr;
}

bool est_peripherique(std::FILE* fichier)
{
    return GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(fichier)))) != FILE_TYPE_DISK;
}

std::optional<std::string> nom_pour_script(const std::string& nom)
{
    const std::optional<std::wstring> large = nom_large(nom.c_str());
    // The tools, programs with narrow arguments, get the name from cmd in the
    // ANSI code page: a character it lacks would reach them as a look-alike
    // (Greek theta as T), and TASM would look for another file.
    if (!large || !porte(*large, CP_ACP))
        return std::nullopt;
    // cmd reads the bytes back in the code page it is written in.
    return porte(*large, page_du_script());
}

std::vector<std::string> arguments_du_programme(int, char**)
{
    int nombre = 0;
    wchar_t** larges = CommandLineToArgvW(GetCommandLineW(), &nombre);
    std::vector<std::string> arguments;
    // An argument that the answers' code page cannot carry is left empty, as not given.
    for (int i = 1; larges != nullptr && i < nombre; ++i)
        arguments.push_back(porte(larges[i], page_des_reponses()).value_or(""));
    LocalFree(larges);
    return arguments;
}

std::optional<Identite> identite(const char* nom)
{
    return identite_de(infos_de(nom));
}

std::optional<Identite> identite(std::FILE* fichier)
{
    return identite_de(infos_de(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(fichier)))));
}

std::optional<Empreinte> empreinte(const char* nom)
{
    const std::optional<BY_HANDLE_FILE_INFORMATION> infos = infos_de(nom);
    if (!infos)
        return std::nullopt;
    const FILETIME& ecriture = infos->ftLastWriteTime;
    return Empreinte{*identite_de(infos), sur_64_bits(infos->nFileSizeHigh, infos->nFileSizeLow),
                     static_cast<long long>(sur_64_bits(ecriture.dwHighDateTime, ecriture.dwLowDateTime))};
}

bool est_dossier(const char* nom)
{
    const std::optional<std::wstring> large = nom_large(nom);
    const DWORD attributs = large ? GetFileAttributesW(large->c_str()) : INVALID_FILE_ATTRIBUTES;
    return attributs != INVALID_FILE_ATTRIBUTES && (attributs & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool meme_chemin(const char* a, const char* b)
{
    const std::optional<std::wstring> chemin_a = chemin_normalise(a);
    const std::optional<std::wstring> chemin_b = chemin_normalise(b);
    return chemin_a && chemin_b &&
           CompareStringOrdinal(chemin_a->c_str(), -1, chemin_b->c_str(), -1, TRUE) == CSTR_EQUAL;
}
