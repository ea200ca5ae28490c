// Runs a built program in a folder of its own, talks to it as a person at the
// console would, and looks at the files it leaves.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

// What the dialogue says, as the native program writes it.
namespace attendu {
const std::string question_source = "Nom du fichier asm pour crash ou ash (oubliez pas l'extension *.asm) : ";
const std::string question_sortie = "Nom du nouveau fichier asm pour vep (oubliez pas l'extension *.asm): ";
const std::string question_base = "Entrez maintenant le nom du fichier sans l'extension asm\n"
                                  "Le nom doit etre le meme que celui du fichier pour vep entre plus haut :";
const std::string absent = "ce fichier n'existe pas \n";
const std::string trop_long = "nom trop long, 31 caracteres au plus \n";
const std::string reserve = "ce nom est reserve au script VEP.bat \n";
const std::string est_source = "ce fichier est le fichier source \n";
const std::string impossible = "impossible de creer ce fichier \n";
const std::string abandon = "entree terminee, abandon \n";
const std::string fin = "\n\n\n Conversion terminee, VEP.bat a ete execute. \n";
const std::string appuyez = "Appuyez sur une touche pour continuer...";
} // namespace attendu

// A fresh temporary folder, removed afterwards, with stand-ins for tasm and
// the converter tool in its subfolder outils/: each appends its name and its
// arguments, each in brackets, to the file "appels"; tasm also copies the
// file named by its last argument to "vu_par_tasm".
class Dossier {
public:
    Dossier();
    ~Dossier();
    std::string chemin(std::string_view nom = "") const;
    void ecrire(std::string_view nom, std::string_view octets) const;
    std::string lire(std::string_view nom) const; // empty if there is no such file
    bool existe(std::string_view nom) const;

private:
    std::string chemin_;
};

class Programme {
public:
    struct Options {
        bool outils = true;    // the stand-ins on PATH
        bool terminal = false; // a pseudo-terminal for standard input and output
        std::vector<std::string> commande = {CRASH2VEP};
        std::vector<std::string> environnement = {}; // NOM=valeur, added to the program's
    };

    Programme(const Dossier& dossier, Options options);
    ~Programme();

    // Waits until the program has written `texte` after what earlier waits
    // found; false if it does not within a few seconds.
    bool attendre(std::string_view texte);
    void ecrire(std::string_view texte);
    void fermer_entree();
    // True if the program is still running after `millisecondes`.
    bool attend_encore(int millisecondes);
    // Waits for the end: the exit status, or 128 plus the signal that ended it.
    int statut();
    const std::string& console() const { return console_; }
    int terminal() const { return lecture_; }

private:
    bool lire(int millisecondes);

    pid_t enfant_ = -1;
    int ecriture_ = -1;
    int lecture_ = -1;
    std::string console_;
    std::size_t vu_ = 0;
    int statut_ = -1;
};
