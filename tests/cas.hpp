// Test cases kept as data: fields separated by =>, each made of values side
// by side, joined. A value is a quoted string with C escapes (\r, \n, \t,
// \0, \xHH, and a backslash before any other byte stands for that byte),
// which *N after it repeats N times, or the name of a text defined earlier
// in the file by a line NAME = values. A case or a name starts at the start
// of a line and goes on over the lines that begin with a blank; lines that
// begin with # are comments.
#pragma once

#include <string>
#include <vector>

struct Cas {
    int ligne; // where it starts in the file, for messages
    std::vector<std::string> champs;
};

// The cases of the file `chemin`; throws on a line it cannot read.
std::vector<Cas> lire_cas(const std::string& chemin);
