#include "conversion/cherc2haine.hpp"

#include "platform/vectoriel.hpp"

#include <algorithm>
#include <cstring>

namespace {

// The places that Cherc2haines::premiere looks at together.
constexpr std::size_t largeur = 128;

constexpr unsigned char pli = 0x20;

unsigned char replie(char octet)
{
    return static_cast<unsigned char>(octet) | pli;
}

// Whether `motif` (not empty) may begin among the `largeur` places from `p`:
// its middle and last bytes, folded, are where they would be. Written for
// compilers to turn into byte-wide vector instructions: a difference that is
// zero at some place, found as a minimum, with no early exit.
bool peut_commencer(const unsigned char* p, std::string_view motif)
{
    const std::size_t milieu = motif.size() / 2;
    const unsigned char central = replie(motif[milieu]);
    const unsigned char dernier = replie(motif.back());
    const unsigned char* au_milieu = p + milieu;
    const unsigned char* a_la_fin = p + motif.size() - 1;
    unsigned char ecart = 0xFF;
    for (std::size_t i = 0; i < largeur; ++i)
        ecart = std::min(ecart, static_cast<unsigned char>(((au_milieu[i] | pli) ^ central) |
                                                           ((a_la_fin[i] | pli) ^ dernier)));
    return ecart == 0;
}

// The first window start, from `debut` on in steps of `largeur` and before
// `apres`, where the test of one of `groupes` passes; `apres` or beyond if
// there is none. This is where the time goes.
AUSSI_AVX2 std::size_t fenetre_possible(const unsigned char* octets, std::size_t debut, std::size_t apres,
                                        const std::vector<std::vector<std::string_view>>& groupes)
{
    for (; debut < apres; debut += largeur)
        for (const std::vector<std::string_view>& groupe : groupes)
            if (peut_commencer(octets + debut, groupe.front()))
                return debut;
    return debut;
}

// Which of `groupes` pass their test on the window at `p`: bit i for group i
// (there are a handful).
AUSSI_AVX2 unsigned long groupes_possibles(const unsigned char* p,
                                           const std::vector<std::vector<std::string_view>>& groupes)
{
    unsigned long possibles = 0;
    for (std::size_t i = 0; i < groupes.size(); ++i)
        possibles |= static_cast<unsigned long>(peut_commencer(p, groupes[i].front())) << i;
    return possibles;
}

bool meme_test(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && replie(a[a.size() / 2]) == replie(b[b.size() / 2]) &&
           replie(a.back()) == replie(b.back());
}

// The first place before `avant` where `motif` occurs in `texte`, letters
// folded; `avant` if there is none. Candidates are the places of the two
// bytes that fold to the pattern's first, which memchr finds quickly.
std::size_t cherche_replie(std::string_view texte, std::string_view motif, std::size_t avant)
{
    if (texte.size() < motif.size())
        return avant;
    const std::size_t fin = std::min(avant, texte.size() - motif.size() + 1);
    const char formes[] = {static_cast<char>(replie(motif[0])), static_cast<char>(replie(motif[0]) ^ pli)};
    for (std::size_t i = 0; i < fin; ++i) {
        std::size_t prochaine = fin;
        for (const char forme : formes)
            if (const void* p = std::memchr(texte.data() + i, forme, prochaine - i))
                prochaine = static_cast<std::size_t>(static_cast<const char*>(p) - texte.data());
        i = prochaine;
        std::size_t j = 1;
        while (i < fin && j < motif.size() && replie(texte[i + j]) == replie(motif[j]))
            ++j;
        if (i < fin && j == motif.size())
            return i;
    }
    return avant;
}

// The first of `motifs` to occur in `texte`, letters folded, counting only
// those that start before `avant`.
std::size_t premiere_de(const std::vector<std::string_view>& motifs, std::string_view texte,
                        std::size_t avant)
{
    for (std::string_view motif : motifs)
        avant = cherche_replie(texte, motif, avant);
    return avant;
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

void Cherc2haines::ajouter(std::string_view motif)
{
    if (motif.empty())
        return;
    plus_long_ = std::max(plus_long_, motif.size());
    auto groupe = std::find_if(groupes_.begin(), groupes_.end(),
                               [motif](const Groupe& g) { return meme_test(g.front(), motif); });
    if (groupe == groupes_.end())
        groupes_.push_back({motif});
    else
        groupe->push_back(motif);
}

std::ptrdiff_t Cherc2haines::premiere(std::string_view texte) const
{
    // Each window holds `largeur` places and every pattern that starts there.
    // The patterns of a group whose test passes are searched for exactly; only
    // an occurrence that starts among those places is sure to be the first.
    const std::size_t fenetre = largeur + plus_long_ - 1;
    std::size_t debut = 0;
    if (plus_long_ > 0 && texte.size() >= fenetre) {
        const auto* octets = reinterpret_cast<const unsigned char*>(texte.data());
        const std::size_t apres = texte.size() - fenetre + 1;
        while ((debut = fenetre_possible(octets, debut, apres, groupes_)) < apres) {
            std::size_t premiere = largeur;
            const unsigned long possibles = groupes_possibles(octets + debut, groupes_);
            for (std::size_t i = 0; i < groupes_.size(); ++i)
                if (possibles >> i & 1)
                    premiere = premiere_de(groupes_[i], texte.substr(debut, fenetre), premiere);
            if (premiere < largeur)
                return static_cast<std::ptrdiff_t>(debut + premiere);
            debut += largeur;
        }
    }

    // What is left is shorter than a window.
    const std::string_view reste = texte.substr(debut);
    std::size_t premiere = reste.size();
    for (const Groupe& groupe : groupes_)
        premiere = premiere_de(groupe, reste, premiere);
    return premiere < reste.size() ? static_cast<std::ptrdiff_t>(debut + premiere) : -1;
}
