// DOS text files, read and written in binary mode with the translation done
// here, so that every platform reads and writes the same bytes: on disk a
// line ends in CR LF, in memory in LF alone, and a byte 0x1A ends the text.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <string_view>

// A buffer whose bytes start out unset, as the reader and the writer never
// read a byte they have not written. Zeroing the 256 KiB of each, as a vector
// does, touched every page of them, even for VEP.bat's two lines: a run on an
// empty source took 7.2 ms instead of 4.9 ms. It begins on a cache line, as
// the system's copies to and from it run faster from one.
class Tampon {
public:
    static constexpr std::size_t alignement = 64;

    explicit Tampon(std::size_t taille) : octets_(allouer(taille)), taille_(taille) {}
    char* data() { return octets_.get(); }
    std::size_t size() const { return taille_; }
    // Makes it `taille` bytes long, its first `gardes` bytes kept.
    void agrandir(std::size_t taille, std::size_t gardes);

private:
    struct Liberation {
        void operator()(char* octets) const { ::operator delete[](octets, std::align_val_t{alignement}); }
    };
    static char* allouer(std::size_t taille)
    {
        return static_cast<char*>(::operator new[](taille, std::align_val_t{alignement}));
    }

    std::unique_ptr<char[], Liberation> octets_;
    std::size_t taille_;
};

// Reads a DOS text file in blocks of whole lines, as they lie on disk. The
// buffer grows with the longest line, never with the file.
class LecteurDos {
public:
    // `fichier` is opened in binary mode and stays the caller's to close.
    explicit LecteurDos(std::FILE* fichier);

    // The next lines of the text, each with its line end (CR LF, or LF alone),
    // but for the last line of the text, which may lack one; the view lives
    // until the next call. False at the end of the text, or once a read has
    // failed.
    bool lire_lignes(std::string_view& lignes);

    // Free bytes that lie before each view of lines handed out.
    static constexpr std::size_t marge = Tampon::alignement;

    // The bytes of `lignes`, the lines handed out last, to be overwritten:
    // until the next call of lire_lignes, they are the caller's, and so are
    // the `marge` bytes before them. A writer can convert them in place.
    char* a_reecrire(std::string_view lignes) { return tampon_.data() + (lignes.data() - tampon_.data()); }

    // True when the file could not be read to its end.
    bool erreur() const { return erreur_; }

private:
    void remplir();

    std::FILE* fichier_;
    Tampon tampon_;
    std::size_t debut_ = marge; // first byte not yet handed out
    std::size_t examine_ = 0;   // bytes from debut_ already known to hold no LF
    std::size_t fin_ = marge;   // end of the bytes read
    bool fin_texte_ = false;    // nothing more will be read: end of file, 0x1A or error
    bool erreur_ = false;
};

// The first line of `lignes` as LecteurDos gives them, line end included.
std::string_view premiere_ligne(std::string_view lignes);

// Whether `ligne`, a line as LecteurDos gives it, ends in an LF without its CR.
bool finit_par_lf_seul(std::string_view ligne);

// `ligne` as read in text mode: its CR LF line end becomes one LF.
void decoder_ligne(std::string_view ligne, std::string& texte);

// Writes a DOS text file.
class EcrivainDos {
public:
    // `fichier` is opened in binary mode and stays the caller's to close;
    // null, what is written is dropped.
    explicit EcrivainDos(std::FILE* fichier);

    // Writes text as held in memory: each LF goes out as CR LF.
    void ecrire(std::string_view texte);

    // Writes whole lines as LecteurDos gives them: what ecrire would write
    // for them once read in text mode, that is, as they are but for an LF
    // without its CR, which gets one. `lf_seul` tells whether they hold such
    // an LF (the first byte counts as following none): without one, they go
    // out in one piece.
    void recopier(std::string_view lignes, bool lf_seul);

    // Writes `texte`, as it goes out, in place of `ligne`, a line that
    // recopier does not get.
    void remplacer(std::string_view ligne, std::string_view texte);

    // Converts `lignes`, the lines that `source` handed out last, in place as
    // far as it can: what is written goes over the bytes of the lines already
    // passed, and over the `marge` free bytes before them, rather than into
    // the writer's buffer. So a stretch of lines is moved back a few bytes
    // within a buffer that the cache holds, rather than copied to a second
    // one, with which the blocks and the system's copies of them no longer
    // fit in the cache. Until finir_sur_place, every line of `lignes` must
    // come, in order, to recopier or to remplacer. From lines with an LF that
    // gets its CR, or a replacement that would overtake the lines not yet
    // passed, the writer goes on in its own buffer.
    void sur_place(LecteurDos& source, std::string_view lignes);

    // Hands what was written in place to the system, before the reader reuses
    // its bytes.
    void finir_sur_place();

    // Hands everything written so far to the system, what was written in
    // place too. False if any write has failed since the writer was made:
    // such a file is incomplete.
    bool vider();

private:
    void placer(const char* octets, std::size_t taille);
    void envoyer();
    void quitter_sur_place();
    bool du_bloc(std::string_view lignes) const;

    std::FILE* fichier_;
    Tampon tampon_;
    std::size_t plein_ = 0;
    bool erreur_ = false;
    // While it writes in place: where, up to where the lines passed end, and
    // where the block ends. What is written so far is that of the buffer,
    // then [zone_, ecrit_).
    char* zone_ = nullptr;
    char* ecrit_ = nullptr;
    const char* lu_ = nullptr;
    const char* fin_bloc_ = nullptr;
};
