#include "platform/ecriture.hpp"

#include <algorithm>
#include <cerrno>

#include <sys/uio.h>
#include <unistd.h>

bool ecrire_morceaux(std::FILE* fichier, const Morceau* morceaux, std::size_t nombre)
{
    constexpr std::size_t par_appel = 1024; // what Linux and the BSDs take (IOV_MAX)
    iovec vecteurs[par_appel];
    std::size_t deja = 0; // bytes of morceaux[0] already written
    while (nombre > 0) {
        const std::size_t n = std::min(nombre, par_appel);
        for (std::size_t i = 0; i < n; ++i)
            vecteurs[i] = {const_cast<char*>(morceaux[i].octets), morceaux[i].taille};
        vecteurs[0].iov_base = static_cast<char*>(vecteurs[0].iov_base) + deja;
        vecteurs[0].iov_len -= deja;
        ssize_t ecrits = writev(fileno(fichier), vecteurs, static_cast<int>(n));
        if (ecrits < 0 && errno == EINTR)
            continue;
        if (ecrits <= 0)
            return false;
        // A write cut short goes on from where it stopped.
        for (ecrits += static_cast<ssize_t>(deja), deja = 0; nombre > 0; ++morceaux, --nombre) {
            if (static_cast<std::size_t>(ecrits) < morceaux->taille) {
                deja = static_cast<std::size_t>(ecrits);
                break;
            }
            ecrits -= static_cast<ssize_t>(morceaux->taille);
        }
    }
    return true;
}
