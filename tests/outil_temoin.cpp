// Stands in for tasm and the VEP converter tool when the Windows program is
// tested: appends its name and its arguments, each in brackets, to the file
// "appels"; as tasm, also copies the file named by its last argument to
// "vu_par_tasm", so that a test sees what was assembled.

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    std::string nom = argv[0];
    nom = nom.substr(nom.find_last_of("/\\") + 1);
    std::FILE* appels = std::fopen("appels", "ab");
    if (appels == nullptr)
        return 1;
    std::fputs(nom.c_str(), appels);
    for (int i = 1; i < argc; ++i)
        std::fprintf(appels, " [%s]", argv[i]);
    std::fputs("\n", appels);
    std::fclose(appels);

    if (nom.compare(0, 4, "tasm") == 0 && argc > 1) {
        std::FILE* source = std::fopen(argv[argc - 1], "rb");
        std::FILE* copie = std::fopen("vu_par_tasm", "wb");
        if (source == nullptr || copie == nullptr)
            return 1;
        char bloc[4096];
        for (std::size_t lu; (lu = std::fread(bloc, 1, sizeof bloc, source)) > 0;)
            std::fwrite(bloc, 1, lu, copie);
        std::fclose(source);
        std::fclose(copie);
    }
    return 0;
}
