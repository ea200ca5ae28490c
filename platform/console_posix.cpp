#include "platform/console.hpp"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <poll.h>

bool garder_flux_standard()
{
    bool entree_fermee = false;
    // open() takes the lowest free descriptor: the closed one. Read-only, so
    // that what is written to it fails instead of vanishing.
    for (int descripteur = 0; descripteur <= 2; ++descripteur)
        if (fcntl(descripteur, F_GETFD) < 0 && errno == EBADF) {
            open("/dev/null", O_RDONLY);
            entree_fermee = entree_fermee || descripteur == 0;
        }
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    return entree_fermee;
}

bool attendre_entree(std::FILE* entree)
{
    if (errno != EAGAIN && errno != EWOULDBLOCK)
        return false;
    pollfd attente = {fileno(entree), POLLIN, 0};
    while (poll(&attente, 1, -1) < 0 && errno == EINTR) {
    }
    return true;
}

void lire_en_binaire(std::FILE*) {}

bool console_a_soi()
{
    return false;
}
