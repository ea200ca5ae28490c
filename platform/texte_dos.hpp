// DOS text files, read and written in binary mode with the translation done
// here, so that every platform reads and writes the same bytes: on disk a
// line ends in CR LF, in memory in LF alone, and a byte 0x1A ends the text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#ifndef _WIN32
#include <sys/uio.h>
#endif

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
    // Its bytes start out unset, as the reader never reads a byte it has not
    // written; it begins on a cache line, where the system's copies run faster.
    struct Liberation {
        void operator()(char* octets) const { ::operator delete[](octets, std::align_val_t{alignement}); }
    };
    using Tampon = std::unique_ptr<char[], Liberation>;
    static constexpr std::size_t alignement = 64;
    static Tampon allouer(std::size_t taille);

    void remplir();

    std::FILE* fichier_;
    Tampon tampon_;
    std::size_t taille_;
    std::size_t debut_ = 0;   // first byte not yet handed out
    std::size_t examine_ = 0; // bytes from debut_ already known to hold no LF
    std::size_t fin_ = 0;     // end of the bytes read
    bool fin_texte_ = false;  // nothing more will be read: end of file, 0x1A or error
    bool erreur_ = false;
};

// The first line of `lignes` as LecteurDos gives them, line end included.
std::string_view premiere_ligne(std::string_view lignes);

// Whether `ligne`, a line as LecteurDos gives it, ends in an LF without its CR.
bool finit_par_lf_seul(std::string_view ligne);

// `ligne` as read in text mode: its CR LF line end becomes one LF.
void decoder_ligne(std::string_view ligne, std::string& texte);

// Writes a DOS text file. What it is given goes to the system as a list of
// pieces, in one gathered write where the system has one: the lines it
// copies as they are stay where the reader put them until envoyer.
class EcrivainDos {
public:
    // `fichier` is opened in binary mode and stays the caller's to close;
    // null, what is written is dropped. Nothing else may write to it.
    explicit EcrivainDos(std::FILE* fichier) : fichier_(fichier) {}

    // Writes text as held in memory: each LF goes out as CR LF.
    void ecrire(std::string_view texte);

    // Writes whole lines as LecteurDos gives them: what ecrire would write
    // for them once read in text mode, that is, as they are but for an LF
    // without its CR, which gets one. `lf_seul` tells whether they hold such
    // an LF (their first byte follows none); if not, they are not copied, and
    // must stay as they are until envoyer.
    void recopier(std::string_view lignes, bool lf_seul);

    // Writes `texte` as it is; it must stay so until envoyer.
    void ajouter(std::string_view texte);

    // Hands what it was given to the system.
    void envoyer();

    // envoyer, then false if any write has failed since the writer was made:
    // such a file is incomplete.
    bool vider();

private:
#ifdef _WIN32
    struct Morceau {
        const void* iov_base;
        std::size_t iov_len;
    };
#else
    using Morceau = iovec;
#endif
    void copier(std::string_view texte, bool chaque_lf);

    std::FILE* fichier_;
    std::array<Morceau, 1024> morceaux_; // at most what one writev takes
    std::size_t nombre_ = 0;
    std::array<char, 16 * 1024> copies_; // for what is copied
    std::size_t copie_ = 0;
    bool erreur_ = false;
};
