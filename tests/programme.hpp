// Runs a built program in a folder of its own, talks to it as a person at the
// console would, and looks at the files it leaves.
#pragma once

#include <string>
#include <string_view>

#include <utility>

#include <unistd.h>

// A fresh temporary folder, removed afterwards, holding prog.asm (empty if no
// source is given) and, in outils/, first on the PATH of programs started
// there, the stand-in tools that cas/dialogues.txt describes.
class Dossier {
public:
    explicit Dossier(std::string_view source = "");
    ~Dossier();
    std::string chemin(std::string_view nom = "") const;
    void ecrire(std::string_view nom, std::string_view octets) const;
    std::string lire(std::string_view nom) const; // empty if there is no such file
    // `texte` with this folder written @, named as POSIX and as wine name it.
    std::string sans_chemin(std::string texte) const;

private:
    std::string chemin_;
};

class Programme {
public:
    struct Options {
        bool terminal;      // a pseudo-terminal for standard input and output
        std::string script; // run by bash; "$CRASH2VEP" is the program
    };

    Programme(const Dossier& dossier, Options options);
    ~Programme();

    // Waits until the program writes `texte` after what earlier waits found;
    // false if it does not within a few seconds.
    bool attendre(std::string_view texte);
    void ecrire(std::string_view texte);
    void fermer_entree() { close(std::exchange(ecriture_, -1)); }
    // True if the program is still running after `millisecondes`.
    bool attend_encore(int millisecondes);
    // Waits for the end: the exit status, or 128 plus the signal that ended it.
    int statut() { return attend_encore(delai_ms) ? -1 : statut_; }
    pid_t pid() const { return enfant_; }
    // Its standard output, and error (on a terminal, both are in console()).
    const std::string& console() const { return console_; }
    const std::string& erreurs() const { return erreurs_; }
    // On a terminal: its master side, and its slave side (open here too).
    int terminal() const { return lecture_; }
    int esclave() const { return esclave_; }

private:
    static constexpr int delai_ms = 10'000; // for the program's output, or its end
    bool lire(int millisecondes);

    pid_t enfant_ = -1;
    int ecriture_ = -1, lecture_ = -1, esclave_ = -1, lecture_erreurs_ = -1;
    std::string console_, erreurs_;
    std::size_t vu_ = 0;
    int statut_ = -1;
};
