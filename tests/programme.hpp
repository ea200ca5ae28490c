// Runs a built program in a folder of its own, talks to it as a person at the
// console would, and looks at the files it leaves.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

// A fresh temporary folder, removed afterwards, with stand-ins for tasm and
// the converter tool in its subfolder outils/, first on the PATH of programs
// started there: each writes its name in brackets to standard output and
// appends its name and its arguments, each in brackets, to the file
// "appels"; tasm also copies the file named by its last argument to
// "vu_par_tasm".
class Dossier {
public:
    Dossier();
    ~Dossier();
    std::string chemin(std::string_view nom = "") const;
    const Dossier& ecrire(std::string_view nom, std::string_view octets) const; // returns itself
    std::string lire(std::string_view nom) const; // empty if there is no such file

private:
    std::string chemin_;
};

class Programme {
public:
    struct Options {
        bool terminal = false; // a pseudo-terminal for standard input and output
        std::vector<std::string> commande = {CRASH2VEP};
    };

    Programme(const Dossier& dossier, Options options);
    ~Programme();

    // Waits until the program writes `texte` after what earlier waits found;
    // false if it does not within a few seconds.
    bool attendre(std::string_view texte);
    void ecrire(std::string_view texte);
    void fermer_entree();
    // True if the program is still running after `millisecondes`.
    bool attend_encore(int millisecondes);
    // Waits for the end: the exit status, or 128 plus the signal that ended it.
    int statut();
    pid_t pid() const { return enfant_; }
    // Its standard output, and error (on a terminal, both are in console()).
    const std::string& console() const { return console_; }
    const std::string& erreurs() const { return erreurs_; }
    // On a terminal: its master side, and its slave side (open here too).
    int terminal() const { return lecture_; }
    int esclave() const { return esclave_; }

private:
    bool lire(int millisecondes);

    pid_t enfant_ = -1;
    int ecriture_ = -1, lecture_ = -1, esclave_ = -1, lecture_erreurs_ = -1;
    std::string console_, erreurs_;
    std::size_t vu_ = 0;
    int statut_ = -1;
};

// A folder holding prog.asm, and the program started there.
struct Seance {
    Seance(std::string_view source, const Programme::Options& options)
        : programme(dossier.ecrire("prog.asm", source), options)
    {
    }
    Dossier dossier;
    Programme programme;
};
