// Stands in for tasm and the VEP converter tool when the Windows program is
// tested: appends its name and its arguments, each in brackets, in UTF-8, to
// the file "appels"; as tasm, also copies the first MiB of the file named by
// its last argument to "vu_par_tasm", so that a test sees what was assembled
// (and a device handed to it by mistake cannot fill the disk).

#include <cstdio>
#include <string>
#include <windows.h>

namespace {

std::string en_utf8(const wchar_t* large)
{
    char octets[4096];
    const int n = WideCharToMultiByte(CP_UTF8, 0, large, -1, octets, sizeof octets, nullptr, nullptr);
    return std::string(octets, n > 0 ? n - 1 : 0);
}

} // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring nom = argv[0];
    nom = nom.substr(nom.find_last_of(L"/\\") + 1);
    std::string ligne = en_utf8(nom.c_str());
    for (int i = 1; i < argc; ++i)
        ligne += " [" + en_utf8(argv[i]) + "]";
    ligne += "\n";
    std::FILE* appels = _wfopen(L"appels", L"ab");
    const bool ecrit = appels && std::fputs(ligne.c_str(), appels) >= 0 && std::fclose(appels) == 0;
    std::FILE* source =
        nom.compare(0, 4, L"tasm") == 0 && argc > 1 ? _wfopen(argv[argc - 1], L"rb") : nullptr;
    if (source) {
        static char debut[1 << 20];
        std::FILE* copie = _wfopen(L"vu_par_tasm", L"wb");
        std::fwrite(debut, 1, std::fread(debut, 1, sizeof debut, source), copie);
        std::fclose(copie);
    }
    return ecrit ? 0 : 1;
}
