// The command line:
//   crash2vep [--sans-pause] [SOURCE [NOUVEAU [BASE]]]
//   crash2vep --verifier FICHIER...
//   crash2vep -h | --help | /? | --version
#pragma once

#include <string>
#include <vector>

enum class Demande { dialogue, verification, aide, version, erreur };

struct Arguments {
    Demande demande = Demande::dialogue;
    bool pause = true;
    // The answers to the dialogue's questions, in order, or the files to check.
    std::vector<std::string> noms;
    // What is wrong with the command line, for Demande::erreur.
    std::string erreur;
};

// What the arguments ask for. The first of -h, --help, /? and --version
// decides, wherever it stands before --; then an argument that begins with -
// and is not an option, before --, is an error.
// `tous` are the arguments, the program's name left out.
Arguments lire_arguments(const std::vector<std::string>& tous);
