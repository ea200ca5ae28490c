#include "platform/interprete.hpp"

#include <cstdlib>

void executer_script(const char* nom, std::FILE* console)
{
    std::fflush(console);
    std::system(nom);
}

void attendre_touche(std::FILE* console)
{
    std::fflush(console);
    std::system("PAUSE");
}
