// What a name typed for VEP.bat must not be: cmd, tasm and the converter
// tool would each read it otherwise than as the file it names.
#pragma once

#include "platform/fichier.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// A name fills a 32-byte field: 31 characters and the terminator.
constexpr std::size_t longueur_max_nom = 31;

// Why `nom` cannot stand in VEP.bat as the new file or the base name: one of
// the texts of the dialogue, or null when it can. The same names are refused
// on every platform, so that VEP.bat means the same everywhere, but for a
// leading '/', an option's mark only on Windows.
const char* refus_de_nom(std::string_view nom);

// True when `nom`, as the new file, would be run by cmd in place of one of
// the two tools that VEP.bat names: tasm.bat, KORVEX_modified_for_VEP.exe...
bool nom_d_outil(std::string_view nom);

// True when `fichier`, a file reached by any name (Windows' short name of
// the file, KORVEX~1.EXE, or a link), is one of the tools that cmd would find
// in the current folder. The new source would overwrite the tool.
bool fichier_d_outil(const std::optional<Identite>& fichier);

// The base name that the new file `nom` gives when it ends in .asm, in any
// case: `nom` without that ending. False if it does not.
bool base_deduite(std::string_view nom, std::string& base);
