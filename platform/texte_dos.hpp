// DOS text files, read and written in binary mode with the translation done
// here, so that every platform reads and writes the same bytes: on disk a
// line ends in CR LF, in memory in LF alone, and a byte 0x1A ends the text.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>
#include <vector>

// Reads a DOS text file line by line. The buffer grows with the longest line,
// never with the file.
class LecteurDos {
public:
    // `fichier` is opened in binary mode and stays the caller's to close.
    explicit LecteurDos(std::FILE* fichier);

    // The next line with its newline, if it has one (only the last line may
    // lack it); the view lives until the next call. False at the end of the
    // text, or once a read has failed.
    bool lire_ligne(std::string_view& ligne);

    // True when the file could not be read to its end.
    bool erreur() const { return erreur_; }

private:
    void remplir();

    std::FILE* fichier_;
    std::vector<char> tampon_;
    std::size_t debut_ = 0;   // first byte not yet handed out
    std::size_t examine_ = 0; // bytes from debut_ already known to hold no LF
    std::size_t fin_ = 0;     // end of the bytes read
    bool fin_texte_ = false;  // nothing more will be read: end of file, 0x1A or error
    bool erreur_ = false;
};

// Writes a DOS text file: each LF goes out as CR LF, every other byte as it is.
class EcrivainDos {
public:
    // `fichier` is opened in binary mode and stays the caller's to close.
    explicit EcrivainDos(std::FILE* fichier);

    void ecrire(std::string_view texte);

    // Hands everything written so far to the system. False if any write has
    // failed since the writer was made: such a file is incomplete.
    bool vider();

private:
    void placer(const char* octets, std::size_t taille);
    void envoyer();

    std::FILE* fichier_;
    std::vector<char> tampon_;
    std::size_t plein_ = 0;
    bool erreur_ = false;
};
