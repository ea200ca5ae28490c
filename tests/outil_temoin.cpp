// Stands in for tasm and the VEP converter tool when the Windows program is
// tested: appends its name and its arguments, each in brackets, to the file
// "appels"; as tasm, also copies the file named by its last argument to
// "vu_par_tasm", so that a test sees what was assembled.

#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    std::string nom = argv[0];
    nom = nom.substr(nom.find_last_of("/\\") + 1);
    std::ofstream appels("appels", std::ios::binary | std::ios::app);
    appels << nom;
    for (int i = 1; i < argc; ++i)
        appels << " [" << argv[i] << "]";
    appels << "\n";
    if (nom.compare(0, 4, "tasm") == 0 && argc > 1)
        std::ofstream("vu_par_tasm", std::ios::binary)
            << std::ifstream(argv[argc - 1], std::ios::binary).rdbuf();
    return appels ? 0 : 1;
}
