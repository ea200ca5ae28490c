#include "platform/console.hpp"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

// The C runtime gives a program started without a console or with a closed
// standard handle streams that fail on their own; its files never take them.
// There is no SIGPIPE nor SIGXFSZ: writes fail. A closed standard input
// fails its reads too.
bool garder_flux_standard()
{
    return false;
}

// Windows has no non-blocking console input.
bool attendre_entree(std::FILE*)
{
    return false;
}

void lire_en_binaire(std::FILE* flux)
{
    _setmode(_fileno(flux), _O_BINARY);
}

bool console_a_soi()
{
    // A shell shares its console with the programs it starts.
    DWORD processus[2];
    return GetConsoleProcessList(processus, 2) == 1;
}
