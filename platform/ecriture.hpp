// Writing several pieces of memory to a file in one go.
#pragma once

#include <cstddef>
#include <cstdio>

struct Morceau {
    const char* octets;
    std::size_t taille;
};

// Writes the `nombre` pieces, none of them empty, in order to `fichier`,
// opened in binary mode and written through here alone: on POSIX straight to
// its descriptor, in one gathered write (writev) or as few as the system
// allows, with no copy; on Windows through the C runtime's buffer. False if
// they could not all be written.
bool ecrire_morceaux(std::FILE* fichier, const Morceau* morceaux, std::size_t nombre);
