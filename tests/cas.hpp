// Test cases kept as data, one case a line:
//
//   "ld a,b\n" "ret" => "ld a,b\r\nret"
//
// A value is a quoted string with C escapes (\r \n \t \0 \\ \" \xHH), or
// such a string followed by *N, repeated N times; values side by side are
// joined, and => separates the fields of a case. Blank lines and lines that
// begin with # are skipped.
#pragma once

#include <string>
#include <vector>

struct Cas {
    int ligne; // in the file, for messages
    std::vector<std::string> champs;
};

// The cases of the file `chemin`; throws on a line it cannot read.
std::vector<Cas> lire_cas(const std::string& chemin);
