#include "conversion/cherc2haine.hpp"

#include "platform/vectoriel.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// The places that one step of the pass looks at together: two vectors of
// AVX2, four of SSE2. Fewer places per step would end more steps in a useless
// check; more would end more steps at a line that only shares two bytes with
// a pattern (measured on the benchmark's source: 64 is quickest).
constexpr std::size_t largeur = 64;

constexpr unsigned char pli = 0x20;

// What the pass notes of each place, a bit each.
constexpr unsigned char candidat = 1;   // the quick test of a pattern passes there
constexpr unsigned char fin_ligne = 2;  // an LF
constexpr unsigned char lf_sans_cr = 4; // an LF after a byte other than CR

unsigned char replie(char octet)
{
    return static_cast<unsigned char>(octet) | pli;
}

using Motifs = std::array<MotifReplie, Cherc2haines::motifs_max>;

// The notes of the place `p`: its line end, and whether the quick test of one
// of `motifs` passes there. Reads the byte before `p`.
inline unsigned char noter(const unsigned char* p, const Motifs& motifs)
{
    const unsigned char lf = p[0] == '\n';
    unsigned char note = static_cast<unsigned char>(lf * fin_ligne | (lf & (p[-1] != '\r')) * lf_sans_cr);
    for (const MotifReplie& motif : motifs)
        note |= ((p[motif.milieu] | pli) == motif.central) & ((p[motif.fin] | pli) == motif.dernier);
    return note;
}

// The first step of `largeur` places, from `debut` on and before `apres`,
// where the quick test of one of `motifs` passes, the notes of its places in
// `notes`; `apres` or beyond if there is none. The line ends of the steps
// before it are added to `avant`. This is
// where the time goes. Written for compilers to turn into byte-wide vector
// instructions: the same operations at every place of a step, no early exit,
// the notes of its places merged (OR) and their LFs counted in bytes, which
// hold the at most `largeur` of a step.
AUSSI_AVX2 std::size_t pas_possible(const unsigned char* octets, std::size_t debut, std::size_t apres,
                                    const Motifs motifs, unsigned char* notes, LignesAvant& avant)
{
    for (; debut < apres; debut += largeur) {
        const unsigned char* const p = octets + debut;
        unsigned char tout = 0, lfs = 0;
        for (std::size_t i = 0; i < largeur; ++i) {
            tout |= noter(p + i, motifs);
            lfs = static_cast<unsigned char>(lfs + (p[i] == '\n'));
        }
        if (tout & candidat) {
            for (std::size_t i = 0; i < largeur; ++i)
                notes[i] = noter(p + i, motifs);
            return debut;
        }
        avant.lf += lfs;
        avant.lf_seul |= (tout & lf_sans_cr) != 0;
    }
    return debut;
}

// Adds to `avant` the line ends among the first `places` of `notes`.
void compter(const unsigned char* notes, std::size_t places, LignesAvant& avant)
{
    for (std::size_t i = 0; i < places; ++i) {
        avant.lf += (notes[i] & fin_ligne) != 0;
        avant.lf_seul |= (notes[i] & lf_sans_cr) != 0;
    }
}

// The first of `notes` from `i` on, up to `largeur`, where a quick test
// passes; `largeur` if there is none. Eight notes are skipped at a time
// while they hold none.
std::size_t candidat_suivant(const unsigned char* notes, std::size_t i)
{
    constexpr std::uint64_t candidats = 0x0101010101010101 * candidat;
    for (std::uint64_t huit; i + 8 <= largeur; i += 8) {
        std::memcpy(&huit, notes + i, 8);
        if (huit & candidats)
            break;
    }
    while (i < largeur && !(notes[i] & candidat))
        ++i;
    return i;
}

// Whether one of `motifs` occurs at `place` in `texte`, letters folded.
bool occurrence(const Motifs& motifs, std::string_view texte, std::size_t place)
{
    for (const MotifReplie& motif : motifs) {
        const std::string_view octets = motif.octets;
        if (octets.empty() || octets.size() > texte.size() - place)
            continue;
        std::size_t j = 0;
        while (j < octets.size() && replie(texte[place + j]) == replie(octets[j]))
            ++j;
        if (j == octets.size())
            return true;
    }
    return false;
}

// The first place from `debut` on and before `fin` where one of `motifs`
// occurs, looked at one by one; `fin` if there is none. The line ends before
// it are added to `avant`.
std::size_t une_a_une(const Motifs& motifs, std::string_view texte, std::size_t debut, std::size_t fin,
                      LignesAvant& avant)
{
    for (; debut < fin; ++debut) {
        if (occurrence(motifs, texte, debut))
            return debut;
        if (texte[debut] == '\n') {
            ++avant.lf;
            avant.lf_seul |= debut == 0 || texte[debut - 1] != '\r';
        }
    }
    return fin;
}

} // namespace

std::ptrdiff_t cherc2haine(std::string_view texte, std::string_view motif)
{
    if (motif.empty() || motif.size() > texte.size())
        return -1;

    // Candidates are the places of the pattern's first byte that leave room
    // for the whole pattern; memchr finds them much faster than a byte loop.
    const char* const debut = texte.data();
    const char* const dernier = debut + (texte.size() - motif.size());
    for (const char* p = debut; p <= dernier; ++p) {
        p = static_cast<const char*>(std::memchr(p, motif[0], static_cast<std::size_t>(dernier - p) + 1));
        if (p == nullptr)
            return -1;
        if (std::memcmp(p + 1, motif.data() + 1, motif.size() - 1) == 0)
            return p - debut;
    }
    return -1;
}

bool Cherc2haines::ajouter(std::string_view motif)
{
    if (nombre_ == motifs_max)
        return false;
    if (motif.empty())
        return true;
    plus_long_ = std::max(plus_long_, motif.size());
    const std::size_t milieu = motif.size() / 2;
    motifs_[nombre_++] = {motif, milieu, motif.size() - 1, replie(motif[milieu]), replie(motif.back())};
    return true;
}

std::ptrdiff_t Cherc2haines::premiere(std::string_view texte, LignesAvant& avant) const
{
    // The pass reads the byte before each place and the bytes of the longest
    // pattern from it: the first place, and those too near the end, are
    // looked at one by one.
    avant = {};
    const std::size_t fenetre = largeur + plus_long_ - 1;
    std::size_t debut = une_a_une(motifs_, texte, 0, std::min<std::size_t>(1, texte.size()), avant);
    if (debut == 1 && texte.size() >= 1 + fenetre && nombre_ > 0) {
        const auto* octets = reinterpret_cast<const unsigned char*>(texte.data());
        const std::size_t apres = texte.size() - fenetre + 1;
        unsigned char notes[largeur];
        while ((debut = pas_possible(octets, debut, apres, motifs_, notes, avant)) < apres) {
            std::size_t i = candidat_suivant(notes, 0);
            while (i < largeur && !occurrence(motifs_, texte, debut + i))
                i = candidat_suivant(notes, i + 1);
            compter(notes, i, avant);
            if (i < largeur)
                return static_cast<std::ptrdiff_t>(debut + i);
            debut += largeur;
        }
    }
    const std::size_t place = une_a_une(motifs_, texte, debut, texte.size(), avant);
    return place < texte.size() ? static_cast<std::ptrdiff_t>(place) : -1;
}
