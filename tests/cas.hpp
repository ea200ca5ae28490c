// Test cases kept as data, one case a line, continued on the lines that begin
// with a blank; # starts a comment line. A case is made of fields: the first
// by their place, separated by =>, named by the caller; the others each after
// its label, `nom:`. A field is made of values side by side, joined: a quoted
// string with C escapes (\r \n \t \0 \xHH; a backslash before another byte
// stands for it), which *N repeats N times, or a NAME defined earlier by a
// line NAME = values, or in one of the C++ headers the caller names by a
// text constant (constexpr char NAME[] = "...";). VERSION is the program's.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

struct Cas {
    int ligne; // where it starts in the file, for messages
    std::map<std::string, std::string> champs;

    // The field `nom`; empty if the case has none.
    std::string operator[](const std::string& nom) const
    {
        return champs.count(nom) > 0 ? champs.at(nom) : "";
    }
};

// How GoogleTest shows a case: by the line it starts on.
inline void PrintTo(const Cas& cas, std::ostream* flux)
{
    *flux << "ligne " << cas.ligne;
}

// The cases of the file `chemin`; throws on a line it cannot read.
// `places` names the fields that come by their place.
std::vector<Cas> lire_cas(const std::string& chemin, const std::vector<std::string>& places,
                          std::vector<std::string> textes = {});
