// Which file a name designates, as the file system sees it.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

// What tells one file from another, whatever the names that lead to it
// (hard links, symbolic links, relative paths).
struct Identite {
    unsigned long long volume = 0;
    unsigned long long index = 0;
    bool operator==(const Identite& autre) const { return volume == autre.volume && index == autre.index; }
};

// The identity of the file `nom` leads to, if it exists.
std::optional<Identite> identite(const char* nom);

// The identity of an open file.
std::optional<Identite> identite(std::FILE* fichier);

bool est_dossier(const char* nom);

// True when the two names lead to the same place once both are made absolute
// and normalised, whether the files exist or not. Case is ignored where the
// file system ignores it.
bool meme_chemin(const char* a, const char* b);

// True when `nom` designates `nom_fixe`: the same file if both exist, or the
// same place (a file that does not exist yet has no identity).
bool designe(const char* nom, const char* nom_fixe);
