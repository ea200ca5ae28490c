// A whole conversion in memory, from the bytes of a source on disk to the
// bytes of the new source on disk and what the report says of it.
#pragma once

#include "conversion/convertir.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>

struct EnMemoire {
    Conversion fin;
    std::string convertie;
    std::string rapport; // of a source named prog.asm
};

inline EnMemoire convertir_en_memoire(std::string source)
{
    char* octets[2] = {};
    std::size_t tailles[2] = {};
    // fmemopen refuses an empty buffer.
    std::FILE* entree = source.empty() ? std::tmpfile() : fmemopen(source.data(), source.size(), "rb");
    std::FILE* convertie = open_memstream(&octets[0], &tailles[0]);
    std::FILE* rapport = open_memstream(&octets[1], &tailles[1]);
    LecteurDos lecteur(entree);
    EcrivainDos ecrivain(convertie);
    Rapport constats;
    const Conversion fin = convertir_fichier(lecteur, ecrivain, constats);
    constats.ecrire("prog.asm", rapport);
    for (std::FILE* fichier : {entree, convertie, rapport})
        std::fclose(fichier);
    EnMemoire resultat{fin, std::string(octets[0], tailles[0]), std::string(octets[1], tailles[1])};
    std::free(octets[0]);
    std::free(octets[1]);
    return resultat;
}
