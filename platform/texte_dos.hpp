// DOS text files, read and written in binary mode with the translation done
// here, so that every platform reads and writes the same bytes: on disk a
// line ends in CR LF, in memory in LF alone, and a byte 0x1A ends the text.
#pragma once

#include "platform/ecriture.hpp"

#include <array>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>

// Reads a DOS text file in blocks of whole lines, as they lie on disk. The
// buffer grows with the longest line, never with the file.
class LecteurDos {
public:
    // `fichier` is opened in binary mode and stays the caller's to close.
    // Takes the buffer's memory at once: std::bad_alloc if there is none.
    explicit LecteurDos(std::FILE* fichier);

    // The next lines of the text, each with its line end (CR LF, or LF alone),
    // but for the last line of the text, which may lack one. The view lives,
    // unchanged, until the next call. False at the end of the text, or once a
    // read has failed. std::bad_alloc for a line longer than memory holds.
    bool lire_lignes(std::string_view& lignes);

    // True when the file could not be read to its end.
    bool erreur() const { return erreur_; }

private:
    void remplir();

    std::FILE* fichier_;
    std::unique_ptr<char[]> tampon_; // its bytes start out unset
    std::size_t taille_;
    std::size_t debut_ = 0;   // first byte not yet handed out
    std::size_t examine_ = 0; // bytes from debut_ already known to hold no LF
    std::size_t fin_ = 0;     // end of the bytes read
    bool fin_texte_ = false;  // nothing more will be read: end of file, 0x1A or error
    bool erreur_ = false;
};

// Writes a DOS text file. What it is given goes to the system as a list of
// pieces (ecrire_morceaux): lines copied as they are stay where the reader
// put them.
class EcrivainDos {
public:
    // `fichier` is opened in binary mode and stays the caller's to close;
    // null, what is written is dropped. Nothing else may write to it.
    explicit EcrivainDos(std::FILE* fichier) : fichier_(fichier) {}

    // Writes `texte` as it is but for an LF without its CR, which gets one:
    // text as held in memory, or whole lines as LecteurDos gives them.
    void ecrire(std::string_view texte);

    // Writes `texte` as it is, without copying it: it must stay so until
    // envoyer. So go lines from LecteurDos whose LFs all have their CR.
    void ajouter(std::string_view texte);

    // Hands what it was given to the system.
    void envoyer();

    // envoyer, then false if any write has failed since the writer was made:
    // such a file is incomplete.
    bool vider();

private:
    std::FILE* fichier_;
    std::array<Morceau, 1024> morceaux_;
    std::size_t nombre_ = 0;
    std::array<char, 16 * 1024> copies_; // for what is copied
    std::size_t copie_ = 0;
    bool erreur_ = false;
};
