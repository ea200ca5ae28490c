#include "platform/interprete.hpp"

#include <cstdlib>

bool lu_comme_option(std::string_view mot)
{
    // DOS tools also take a slash for an option's mark.
    return !mot.empty() && (mot[0] == '-' || mot[0] == '/');
}

// cmd's status is that of the script's last command; -1 if cmd itself could
// not be started.
bool executer_script(const char* nom, std::FILE* console)
{
    std::fflush(console);
    return std::system(nom) == 0;
}

// cmd's PAUSE reads the console itself.
void attendre_touche(std::FILE*, std::FILE* console)
{
    std::fflush(console);
    std::system("PAUSE");
}
