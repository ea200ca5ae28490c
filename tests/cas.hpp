// Test cases kept as data: fields separated by =>, each made of values side
// by side, joined. A value is a quoted string with C escapes (\r \n \t \0
// \xHH; a backslash before another byte stands for it), which *N repeats N
// times, or a NAME defined earlier by a line NAME = values (VERSION, the
// program's version, is defined from the start). A case or a name goes on
// over the lines that begin with a blank; # starts a comment line.
#pragma once

#include <string>
#include <vector>

struct Cas {
    int ligne; // where it starts in the file, for messages
    std::vector<std::string> champs;
};

// The cases of the file `chemin`; throws on a line it cannot read.
std::vector<Cas> lire_cas(const std::string& chemin);
