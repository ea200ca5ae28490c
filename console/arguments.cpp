#include "console/arguments.hpp"

#include <cstring>

Demande lire_arguments(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0 ||
            std::strcmp(argv[i], "/?") == 0)
            return Demande::aide;
        if (std::strcmp(argv[i], "--version") == 0)
            return Demande::version;
    }
    return Demande::dialogue;
}
