// Stands in for tasm and the VEP converter tool when the Windows program is
// tested, taking its arguments narrow, in the ANSI code page, as they do:
// appends its name and its arguments, each in brackets, in UTF-8, to the
// file "appels"; as tasm, also copies the first MiB of the file named by its
// last argument to "vu_par_tasm", so that a test sees what was assembled
// (and a device handed to it by mistake cannot fill the disk).

#include <cstdio>
#include <string>
#include <windows.h>

namespace {

std::string en_utf8(const char* etroit)
{
    wchar_t large[4096] = {}; // ends in a NUL even if cut
    char octets[4096];
    MultiByteToWideChar(CP_ACP, 0, etroit, -1, large, 4095);
    const int n = WideCharToMultiByte(CP_UTF8, 0, large, -1, octets, sizeof octets, nullptr, nullptr);
    return std::string(octets, n > 0 ? n - 1 : 0);
}

} // namespace

int main(int argc, char** argv)
{
    std::string nom = argv[0];
    nom = nom.substr(nom.find_last_of("/\\") + 1);
    std::string ligne = en_utf8(nom.c_str());
    for (int i = 1; i < argc; ++i)
        ligne += " [" + en_utf8(argv[i]) + "]";
    ligne += "\n";
    std::FILE* appels = std::fopen("appels", "ab");
    const bool ecrit = appels && std::fputs(ligne.c_str(), appels) >= 0 && std::fclose(appels) == 0;
    std::FILE* source =
        nom.compare(0, 4, "tasm") == 0 && argc > 1 ? std::fopen(argv[argc - 1], "rb") : nullptr;
    if (source) {
        static char debut[1 << 20];
        std::FILE* copie = std::fopen("vu_par_tasm", "wb");
        std::fwrite(debut, 1, std::fread(debut, 1, sizeof debut, source), copie);
        std::fclose(copie);
    }
    return ecrit ? 0 : 1;
}
