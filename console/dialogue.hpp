// The questions of the dialogue, asked on a console given as streams.
#pragma once

#include "platform/fichier.hpp"

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

struct Console {
    std::FILE* entree;
    std::FILE* sortie;
    std::FILE* erreurs;   // the report
    std::size_t lues = 0; // answers read from `entree` so far
};

// An answer given on the command line: it answers its question the first
// time it is asked, in place of what would be typed, and that question is
// not shown. Once taken, it is empty: a question asked again is read.
using Argument = std::optional<std::string>;

// Writes `texte` and makes it visible at once.
void dire(Console& console, const char* texte);

// Writes `question` and reads one word, as formatted "%s" input does: white
// space first is skipped, and what follows the word stays for the next
// question. Asks again while the word is longer than a name may be. False at
// the end of input. `argument`, if there is one, comes first.
bool demander(Console& console, const char* question, std::string& reponse, Argument& argument);

// Asks with `question` until a name comes that cmd, and the tools it hands it
// to, would read as it stands in VEP.bat and that holds no control byte.
// False at the end of input.
bool demander_nom(Console& console, const char* question, std::string& nom, Argument& argument);

// Asks for the source until a name opens for reading. Null at the end of input.
Fichier demander_source(Console& console, std::string& nom, Argument argument);

// Asks for the new source until a name that is neither the source, the build
// script nor the dialogue's own input can be created. Null at the end of input.
Fichier demander_sortie(Console& console, std::FILE* source, std::string& nom, Argument argument);
