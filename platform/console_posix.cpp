#include "platform/console.hpp"

#include <cerrno>

#include <fcntl.h>

void garder_flux_standard()
{
    // open() takes the lowest free descriptor: the closed one. Read-only, so
    // that what is written to it fails instead of vanishing.
    for (int descripteur = 0; descripteur <= 2; ++descripteur)
        if (fcntl(descripteur, F_GETFD) < 0 && errno == EBADF)
            open("/dev/null", O_RDONLY);
}
