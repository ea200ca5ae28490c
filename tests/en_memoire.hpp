// A whole conversion, from the bytes of a source on disk to the bytes of the
// new source on disk and what the report says of it.
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

// What `fichier` holds, from its start.
inline std::string contenu_de(std::FILE* fichier)
{
    std::string octets(static_cast<std::size_t>(std::ftell(fichier)), '\0');
    std::rewind(fichier);
    octets.resize(std::fread(octets.data(), 1, octets.size(), fichier));
    return octets;
}

inline EnMemoire convertir_en_memoire(std::string source)
{
    // fmemopen refuses an empty buffer. The new source is a file, as the
    // writer writes to its descriptor.
    std::FILE* entree = source.empty() ? std::tmpfile() : fmemopen(source.data(), source.size(), "rb");
    std::FILE* convertie = std::tmpfile();
    std::FILE* rapport = std::tmpfile();
    LecteurDos lecteur(entree);
    Rapport constats;
    const Conversion fin = convertir_fichier(lecteur, convertie, constats);
    constats.ecrire("prog.asm", rapport);
    std::fseek(convertie, 0, SEEK_END);
    EnMemoire resultat{fin, contenu_de(convertie), contenu_de(rapport)};
    for (std::FILE* fichier : {entree, convertie, rapport})
        std::fclose(fichier);
    return resultat;
}
