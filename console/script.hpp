// The build script "VEP.bat": TASM on the new source, then the converter tool
// on the object file named after the base name. platform/interprete.hpp runs it.
#pragma once

#include <cstdio>
#include <string>

// Creates "VEP.bat" in the current folder, or empties it, and writes its two
// lines, with the names as cmd reads them (nom_pour_script). False if it
// could not be created or written in full, or a name cannot be written.
bool ecrire_script(const std::string& nom_sortie, const std::string& nom_base);

// Runs "VEP.bat"; `console` receives what the interpreter says. True if the
// build went through: each command started and ended with status 0, and the
// object file BASE.OBJ, if it was there before, was written again. If not,
// one line on `erreurs` says which failed.
bool executer_construction(const std::string& nom_base, std::FILE* console, std::FILE* erreurs);
