// Which file a name designates, as the file system sees it, and how a name
// typed at the console is opened and written into VEP.bat.
//
// On Windows the answers are bytes in the console's input code page, or, with
// no console (answers from a pipe or a file), in the OEM code page, which cmd
// also writes its pipes in; every typed name is opened by its wide name read
// in that code page. Elsewhere names are bytes, used as they are.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct Fermeture {
    void operator()(std::FILE* fichier) const { std::fclose(fichier); }
};
// An open file, closed when it goes.
using Fichier = std::unique_ptr<std::FILE, Fermeture>;

// Closes `fichier`; false if what was written to it could not all be saved.
bool fermer(Fichier& fichier);

// What tells one file from another, whatever the names that lead to it
// (hard links, symbolic links, relative paths).
struct Identite {
    unsigned long long volume = 0;
    unsigned long long index = 0;
    bool operator==(const Identite& autre) const { return volume == autre.volume && index == autre.index; }
};

// What writing a file changes: besides its identity, its size and the time
// it was last written, to the system's finest unit.
struct Empreinte {
    Identite identite;
    unsigned long long taille = 0;
    long long ecriture = 0;
    bool operator==(const Empreinte& autre) const
    {
        return identite == autre.identite && taille == autre.taille && ecriture == autre.ecriture;
    }
};

// Opens the typed name `nom` as std::fopen would; null if it cannot, or if
// `nom` is not a valid name in the answers' code page.
std::FILE* ouvrir(const std::string& nom, const char* mode);

// True when `fichier` is a device or a pipe rather than a file on disk. Only
// Windows says so: elsewhere devices and pipes are read as any file.
bool est_peripherique(std::FILE* fichier);

// The typed name `nom` in the bytes that cmd reads in VEP.bat as that same
// name: on Windows, in the console's output code page (which chcp sets), or
// the OEM code page with no console. None if that code page lacks one of its
// characters, or if the ANSI code page does, in which the tools get it.
std::optional<std::string> nom_pour_script(const std::string& nom);

// The program's arguments, in the bytes of typed answers: on Windows, read
// from the wide command line into the answers' code page, and empty where
// that code page cannot carry one.
std::vector<std::string> arguments_du_programme(int argc, char** argv);

// The identity of the file `nom` leads to, if it exists.
std::optional<Identite> identite(const char* nom);

// The identity of an open file.
std::optional<Identite> identite(std::FILE* fichier);

// The fingerprint of the file `nom` leads to, if it exists.
std::optional<Empreinte> empreinte(const char* nom);

bool est_dossier(const char* nom);

// True when the two names lead to the same place once both are made absolute
// and normalised, whether the files exist or not. Case is ignored where the
// file system ignores it.
bool meme_chemin(const char* a, const char* b);

// True when `nom` designates `nom_fixe`: the same file if both exist, or the
// same place (a file that does not exist yet has no identity).
bool designe(const char* nom, const char* nom_fixe);
