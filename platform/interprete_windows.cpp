#include "platform/interprete.hpp"

#include <cstdlib>

bool lu_comme_option(std::string_view mot)
{
    // DOS tools also take a slash for an option's mark.
    return !mot.empty() && (mot[0] == '-' || mot[0] == '/');
}

void executer_script(const char* nom, std::FILE* console)
{
    std::fflush(console);
    std::system(nom);
}

// cmd's PAUSE reads the console itself.
void attendre_touche(std::FILE*, std::FILE* console)
{
    std::fflush(console);
    std::system("PAUSE");
}
