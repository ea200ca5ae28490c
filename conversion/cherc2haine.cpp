#include "conversion/cherc2haine.hpp"

#include "platform/vectoriel.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// The places that one step of the pass looks at together: two vectors of
// AVX2, four of SSE2, one bit each of a 64-bit word. Fewer places per step
// would end more steps in a useless check; more would end more steps at a line
// that only shares two bytes with a pattern.
constexpr std::size_t largeur = 64;

constexpr unsigned char pli = 0x20;

using Motifs = std::array<MotifReplie, Cherc2haines::motifs_max>;

// What one step of the pass finds at its places: bit i for its place i.
struct Pas {
    std::uint64_t candidats = 0;  // the quick test of a pattern passes there
    std::uint64_t lf = 0;         // an LF
    std::uint64_t lf_sans_cr = 0; // an LF after a byte other than CR
};

// Adds to `avant` the line ends of `pas` among the places that `places` holds.
void compter(const Pas& pas, std::uint64_t places, LignesAvant& avant)
{
    avant.lf += static_cast<std::size_t>(__builtin_popcountll(pas.lf & places));
    avant.lf_seul |= (pas.lf_sans_cr & places) != 0;
}

unsigned char replie(char octet)
{
    return static_cast<unsigned char>(octet) | pli;
}

// What the portable pass notes of each place, a bit each.
constexpr unsigned char candidat = 1;   // the quick test of a pattern passes there
constexpr unsigned char fin_ligne = 2;  // an LF
constexpr unsigned char lf_sans_cr = 4; // an LF after a byte other than CR

// The notes of the place `p`: its line end, and whether the quick test of one
// of `motifs` passes there. Reads the bytes before and after `p`.
inline unsigned char noter(const unsigned char* p, const Motifs& motifs)
{
    const unsigned char lf = p[0] == '\n';
    unsigned char note = static_cast<unsigned char>(lf * fin_ligne | (lf & (p[-1] != '\r')) * lf_sans_cr);
    const unsigned char ici = p[0] | pli, suivant = p[1] | pli;
    for (const MotifReplie& motif : motifs)
        note |= (ici == motif.premier) & (suivant == motif.second);
    return note;
}

// Bit i set where `notes[i]` holds `bit`, a power of two. Eight notes at a
// time: each byte of a word reduced to 0 or 1, a multiplication sends byte k
// to bit 56 + k, with no carry between them, as each lands on a bit of its own.
std::uint64_t en_bits(const unsigned char (&notes)[largeur], unsigned char bit)
{
    const int decalage = __builtin_ctz(bit);
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < largeur; i += 8) {
        std::uint64_t huit; // byte k holds notes[i + k]
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        std::memcpy(&huit, notes + i, 8);
#else
        huit = 0;
        for (std::size_t k = 0; k < 8; ++k)
            huit |= std::uint64_t{notes[i + k]} << (8 * k);
#endif
        huit = huit >> decalage & 0x0101010101010101;
        bits |= (huit * 0x0102040810204080) >> 56 << i;
    }
    return bits;
}

// The first step of `largeur` places, from `debut` on and before `apres`,
// where the quick test of one of `motifs` passes, what it finds in `pas`;
// `apres` or beyond if there is none. The line ends of the steps before it
// are added to `avant`. This is where the time goes.
//
// The portable version: the same operations at every place of a step, with
// no early exit, so that compilers turn them into byte-wide vector
// instructions; the notes of a step's places merged (OR), and its LFs counted
// in one byte, which holds the at most `largeur` of a step. Only the step that
// it stops at is written out as masks (en_bits).
std::size_t pas_possible_portable(const unsigned char* octets, std::size_t debut, std::size_t apres,
                                  const Motifs& motifs, Pas& pas, LignesAvant& avant)
{
    for (; debut < apres; debut += largeur) {
        const unsigned char* const p = octets + debut;
        unsigned char tout = 0, lfs = 0;
        for (std::size_t i = 0; i < largeur; ++i) {
            tout |= noter(p + i, motifs);
            lfs = static_cast<unsigned char>(lfs + (p[i] == '\n'));
        }
        if (tout & candidat) {
            unsigned char notes[largeur];
            for (std::size_t i = 0; i < largeur; ++i)
                notes[i] = noter(p + i, motifs);
            pas = {en_bits(notes, candidat), en_bits(notes, fin_ligne), en_bits(notes, lf_sans_cr)};
            return debut;
        }
        avant.lf += lfs;
        avant.lf_seul |= (tout & lf_sans_cr) != 0;
    }
    return debut;
}

#if AVEC_AVX2
VERSION_AVX2 inline __m256i lire(const unsigned char* p)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// The top bits of the 32 bytes of `octets`, as bits `decalage` on of a word:
// a compare makes each byte 0x00 or 0xFF.
VERSION_AVX2 inline std::uint64_t bits(__m256i octets, std::size_t decalage)
{
    return std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(octets))} << decalage;
}

// The AVX2 version: the same tests, 32 places to an instruction, each
// gathered straight into its bit of `pas` (movemask), so that a step with no
// candidate costs one popcount. A step is first tested for the patterns'
// second bytes alone, a third of the compares: most steps hold none of them
// ('.' and 'K' here), and only one that does is tested in full. The CRs are
// found as bits too, and an LF lacks its CR where the bit before it is clear:
// the CR bits moved up one place, with the last one of the step before.
VERSION_AVX2 std::size_t pas_possible_avx2(const unsigned char* octets, std::size_t debut, std::size_t apres,
                                           const Motifs& motifs, Pas& pas, LignesAvant& avant)
{
    const __m256i lf = _mm256_set1_epi8('\n'), cr = _mm256_set1_epi8('\r');
    const __m256i plis = _mm256_set1_epi8(static_cast<char>(pli));
    __m256i premiers[Cherc2haines::motifs_max], seconds[Cherc2haines::motifs_max];
    for (std::size_t m = 0; m < motifs.size(); ++m) {
        premiers[m] = _mm256_set1_epi8(static_cast<char>(motifs[m].premier));
        seconds[m] = _mm256_set1_epi8(static_cast<char>(motifs[m].second));
    }
    std::size_t lfs = 0;
    bool lf_seul = false;
    std::uint64_t cr_avant = octets[debut - 1] == '\r';
    for (; debut < apres; debut += largeur) {
        Pas trouve;
        std::uint64_t crs = 0;
        for (std::size_t moitie = 0; moitie < largeur; moitie += 32) {
            const unsigned char* const p = octets + debut + moitie;
            const __m256i ici = lire(p);
            const __m256i suivant_replie = _mm256_or_si256(lire(p + 1), plis);
            __m256i seconds_vus = _mm256_setzero_si256();
            for (std::size_t m = 0; m < motifs.size(); ++m)
                seconds_vus = _mm256_or_si256(seconds_vus, _mm256_cmpeq_epi8(suivant_replie, seconds[m]));
            trouve.candidats |= bits(seconds_vus, moitie);
            trouve.lf |= bits(_mm256_cmpeq_epi8(ici, lf), moitie);
            crs |= bits(_mm256_cmpeq_epi8(ici, cr), moitie);
        }
        if (trouve.candidats != 0) {
            trouve.candidats = 0;
            for (std::size_t moitie = 0; moitie < largeur; moitie += 32) {
                const unsigned char* const p = octets + debut + moitie;
                const __m256i ici_replie = _mm256_or_si256(lire(p), plis);
                const __m256i suivant_replie = _mm256_or_si256(lire(p + 1), plis);
                __m256i candidats = _mm256_setzero_si256();
                for (std::size_t m = 0; m < motifs.size(); ++m)
                    candidats = _mm256_or_si256(
                        candidats, _mm256_and_si256(_mm256_cmpeq_epi8(ici_replie, premiers[m]),
                                                    _mm256_cmpeq_epi8(suivant_replie, seconds[m])));
                trouve.candidats |= bits(candidats, moitie);
            }
        }
        trouve.lf_sans_cr = trouve.lf & ~(crs << 1 | cr_avant);
        cr_avant = crs >> 63;
        if (trouve.candidats != 0) {
            pas = trouve;
            break;
        }
        lfs += static_cast<std::size_t>(_mm_popcnt_u64(trouve.lf));
        lf_seul |= trouve.lf_sans_cr != 0;
    }
    avant.lf += lfs;
    avant.lf_seul |= lf_seul;
    return debut;
}
#endif

// The version of the pass for the processor that the program runs on, chosen
// once, as it loads.
const auto pas_possible = [] {
#if AVEC_AVX2
    if (processeur_avx2())
        return pas_possible_avx2;
#endif
    return pas_possible_portable;
}();

// Whether one of `motifs` occurs in `texte` with its anchor at `place`,
// letters folded.
bool occurrence(const Motifs& motifs, std::string_view texte, std::size_t place)
{
    for (const MotifReplie& motif : motifs) {
        const std::string_view octets = motif.octets;
        if (octets.empty() || place < motif.ancre || octets.size() > texte.size() - (place - motif.ancre) ||
            replie(texte[place]) != motif.premier || replie(texte[place + 1]) != motif.second)
            continue;
        if (egaux<true>(texte.data() + (place - motif.ancre), octets.data(), octets.size()))
            return true;
    }
    return false;
}

// The first place from `debut` on and before `fin` that is the anchor of one
// of `motifs`, looked at one by one; `fin` if there is none. The line ends
// before it are added to `avant`.
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

// Where the line that holds `place` begins, the line of `depart` at the
// earliest.
std::size_t debut_de_ligne(std::string_view texte, std::size_t depart, std::size_t place)
{
    while (place > depart && texte[place - 1] != '\n')
        --place;
    return place;
}

// The line of `texte` from `debut`, up to its first LF from `place` on.
std::string_view ligne_de(std::string_view texte, std::size_t debut, std::size_t place)
{
    const std::size_t lf = texte.find('\n', place);
    return texte.substr(debut, lf == std::string_view::npos ? lf : lf + 1 - debut);
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
        // Most candidates differ in the last byte already: no call for them.
        if (p[motif.size() - 1] == motif.back() &&
            std::memcmp(p + 1, motif.data() + 1, motif.size() - 1) == 0)
            return p - debut;
    }
    return -1;
}

bool Cherc2haines::ajouter(std::string_view motif)
{
    constexpr unsigned char lf_replie = '\n' | pli;
    if (nombre_ == motifs_max || motif.size() < 2 ||
        std::any_of(motif.begin(), motif.end(), [](char octet) { return replie(octet) == lf_replie; }))
        return false;
    const std::size_t ancre = (motif.size() - 1) / 2;
    motifs_[nombre_++] = {motif, ancre, replie(motif[ancre]), replie(motif[ancre + 1])};
    return true;
}

std::string_view Cherc2haines::ligne(std::string_view texte, std::size_t debut, LignesAvant& avant) const
{
    // The pass reads the bytes before and after each place: the text's first
    // place, and its last ones, are looked at one by one. A pattern lies
    // within a line, so that its anchor lies in the same line as it: the
    // first anchor found is in the first line that holds a pattern.
    avant = {};
    const std::size_t depart = debut;
    const auto* octets = reinterpret_cast<const unsigned char*>(texte.data());
    if (debut == 0)
        debut = une_a_une(motifs_, texte, 0, std::min<std::size_t>(1, texte.size()), avant);
    if (debut > 0 && texte.size() >= debut + largeur + 1 && nombre_ > 0) {
        const std::size_t apres = texte.size() - largeur;
        Pas pas;
        while ((debut = pas_possible(octets, debut, apres, motifs_, pas, avant)) < apres) {
            for (std::uint64_t restants = pas.candidats; restants != 0; restants &= restants - 1) {
                const int i = __builtin_ctzll(restants);
                if (occurrence(motifs_, texte, debut + static_cast<std::size_t>(i))) {
                    // The line begins after the last LF of the step before
                    // the anchor, or in an earlier step; it ends at the first
                    // LF of the step after the anchor, or in a later step.
                    const std::uint64_t avant_ancre = (std::uint64_t{1} << i) - 1;
                    compter(pas, avant_ancre, avant);
                    const std::uint64_t lfs_avant = pas.lf & avant_ancre;
                    const std::uint64_t lfs_apres = pas.lf & ~avant_ancre; // the anchor is no LF
                    const std::size_t ligne_debut =
                        lfs_avant == 0 ? debut_de_ligne(texte, depart, debut)
                                       : debut + 64 - static_cast<std::size_t>(__builtin_clzll(lfs_avant));
                    if (lfs_apres == 0)
                        return ligne_de(texte, ligne_debut, debut + largeur);
                    const std::size_t fin = debut + static_cast<std::size_t>(__builtin_ctzll(lfs_apres)) + 1;
                    return texte.substr(ligne_debut, fin - ligne_debut);
                }
            }
            compter(pas, ~std::uint64_t{0}, avant);
            debut += largeur;
        }
    }
    const std::size_t place = une_a_une(motifs_, texte, debut, texte.size(), avant);
    return place < texte.size() ? ligne_de(texte, debut_de_ligne(texte, depart, place), place)
                                : std::string_view();
}
