#include "conversion/recherche.hpp"

#include "conversion/regles.hpp"

#include <algorithm>
#include <array>

// The pass is built twice on x86-64 ELF systems: for the processors with
// AVX2, and for the others; the system's loader picks one as the program
// starts. CRASH2VEP_SANS_AVX2 keeps the second alone, for fuzzing it.
#if defined(__x86_64__) && defined(__ELF__) && !defined(CRASH2VEP_SANS_AVX2)
#define POUR_CHAQUE_PROCESSEUR __attribute__((target_clones("avx2", "default")))
#else
#define POUR_CHAQUE_PROCESSEUR
#endif

namespace {

constexpr unsigned char pli = 0x20;

constexpr unsigned char replie(char octet)
{
    return static_cast<unsigned char>(octet) | pli;
}

// A name, and its anchor: the two bytes side by side in its middle that the
// pass tests at every place, folded. Bytes inside a name vary more than its
// first ('c' begins half the words of assembly), and a pair of them rarely
// occurs by chance.
struct Nom {
    std::string_view octets;
    std::size_t ancre;
    unsigned char premier, second;
};

constexpr std::size_t nombre_de_noms = [] {
    std::size_t nombre = 0;
    for (const Regle& regle : regles)
        nombre += regle.noms.size();
    return nombre;
}();

constexpr std::array<Nom, nombre_de_noms> noms = [] {
    std::array<Nom, nombre_de_noms> tous{};
    std::size_t n = 0;
    for (const Regle& regle : regles) {
        for (std::string_view nom : regle.noms) {
            const std::size_t ancre = (nom.size() - 1) / 2;
            tous[n++] = {nom, ancre, replie(nom[ancre]), replie(nom[ancre + 1])};
        }
    }
    return tous;
}();

// The places that one step of the pass looks at together: at most 255, as
// a byte counts its LFs.
constexpr unsigned char largeur = 128;

// Whether the byte at `p` and the next are a name's anchor, letters folded;
// or if not `premier_aussi`, whether the next is its second byte: a test
// with less work, which most steps fail.
template <bool premier_aussi> unsigned char ancre_a(const unsigned char* p)
{
    const unsigned char ici = p[0] | pli, suivant = p[1] | pli;
    unsigned char ancre = 0;
    for (const Nom& nom : noms)
        ancre |= (!premier_aussi || ici == nom.premier) & (suivant == nom.second);
    return ancre;
}

// The first place from `debut` on, in steps of `largeur` places that begin
// before `fin`, that may be the anchor of a name; or where the steps end.
// Reads the byte after the last step. The same operations at every place of
// a step, without a branch, so that the compiler turns them into vector
// instructions.
POUR_CHAQUE_PROCESSEUR
std::size_t ancre_possible(const unsigned char* octets, std::size_t debut, std::size_t fin)
{
    for (; debut < fin; debut += largeur) {
        const unsigned char* const p = octets + debut;
        unsigned char seconds = 0;
        for (std::size_t i = 0; i < largeur; ++i)
            seconds |= ancre_a<false>(p + i);
        if (seconds == 0)
            continue;
        unsigned char premiere = largeur;
        for (std::size_t i = 0; i < largeur; ++i)
            premiere = std::min(premiere, ancre_a<true>(p + i) ? static_cast<unsigned char>(i) : largeur);
        if (premiere < largeur)
            return debut + premiere;
    }
    return debut;
}

// Whether a name lies in `texte` with its anchor at `place`, letters folded.
bool nom_a(std::string_view texte, std::size_t place)
{
    for (const Nom& nom : noms)
        if (place >= nom.ancre && nom_ici(texte, place - nom.ancre, nom.octets))
            return true;
    return false;
}

// The first place from `debut` on, before `fin`, that is the anchor of a
// name, looked at one by one: `fin` if none.
std::size_t une_a_une(std::string_view texte, std::size_t debut, std::size_t fin)
{
    while (debut < fin && !nom_a(texte, debut))
        ++debut;
    return debut;
}

// The line of `texte` that holds `place`, with its LF; it begins at `debut`
// at the earliest.
std::string_view ligne_de(std::string_view texte, std::size_t debut, std::size_t place)
{
    std::size_t premier = place;
    while (premier > debut && texte[premier - 1] != '\n')
        --premier;
    const std::size_t lf = texte.find('\n', place);
    return texte.substr(premier, lf == std::string_view::npos ? lf : lf + 1 - premier);
}

// The line ends of `lignes`, whose first byte follows no CR.
POUR_CHAQUE_PROCESSEUR
LignesPassees compter(std::string_view lignes)
{
    // Bytes count the LFs of `largeur` places, and those after a CR: fewer of
    // these, and an LF lacks its CR. The compiler keeps them in vectors.
    const auto* const p = reinterpret_cast<const unsigned char*>(lignes.data());
    const std::size_t taille = lignes.size();
    LignesPassees passees{taille > 0 && p[0] == '\n', taille > 0 && p[0] == '\n'};
    std::size_t i = 1;
    for (; i + largeur <= taille; i += largeur) {
        unsigned char lfs = 0, paires = 0;
        for (std::size_t j = i; j < i + largeur; ++j) {
            lfs = static_cast<unsigned char>(lfs + (p[j] == '\n'));
            paires = static_cast<unsigned char>(paires + ((p[j] == '\n') & (p[j - 1] == '\r')));
        }
        passees.lf += lfs;
        passees.lf_seul |= lfs != paires;
    }
    unsigned char lfs = 0, paires = 0;
    for (; i < taille; ++i) {
        lfs = static_cast<unsigned char>(lfs + (p[i] == '\n'));
        paires = static_cast<unsigned char>(paires + ((p[i] == '\n') & (p[i - 1] == '\r')));
    }
    passees.lf += lfs;
    passees.lf_seul |= lfs != paires;
    return passees;
}

} // namespace

std::string_view ligne_nommee(std::string_view texte, std::size_t debut)
{
    // The pass reads the byte after each place: the text's last places are
    // looked at one by one. A name lies within a line, and so does its anchor.
    const auto* const octets = reinterpret_cast<const unsigned char*>(texte.data());
    const std::size_t fin_des_pas = texte.size() > largeur ? texte.size() - largeur : 0;
    for (std::size_t place = debut;; ++place) {
        if (place < fin_des_pas)
            place = ancre_possible(octets, place, fin_des_pas);
        if (place >= fin_des_pas)
            place = une_a_une(texte, place, texte.size());
        if (place == texte.size())
            return {};
        if (nom_a(texte, place))
            return ligne_de(texte, debut, place);
    }
}

// The clones are of an internal function: clang gives an external one no
// symbol of its own.
LignesPassees compter_lignes(std::string_view lignes)
{
    return compter(lignes);
}
