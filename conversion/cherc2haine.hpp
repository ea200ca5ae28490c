// The text search of the converter.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Index of the first occurrence of `motif` in `texte`, or -1 when it does not
// occur. Bytes are compared as they are (no case folding; NUL is a byte like
// any other), and an empty pattern is never found. Allocates nothing.
std::ptrdiff_t cherc2haine(std::string_view texte, std::string_view motif);

namespace detail {
// The `N` bytes at `p` as a word, with the bits of `pli` set.
template <std::size_t N> std::uint64_t mot(const char* p, std::uint64_t pli)
{
    std::uint64_t octets = 0;
    std::memcpy(&octets, p, N);
    return octets | pli;
}
} // namespace detail

// Whether the `taille` bytes at `a` and `b` are equal, with bit 0x20 of each
// set on both sides if `replies` (letters folded, as Cherc2haines compares).
// Inline and 8 bytes at a time (or 4), the last ones read again where the size
// is no multiple of them: quicker than a call of memcmp for a pattern's bytes.
template <bool replies = false> bool egaux(const char* a, const char* b, std::size_t taille)
{
    constexpr std::uint64_t pli = replies ? 0x2020202020202020 : 0;
    using detail::mot;
    if (taille >= 8) {
        for (std::size_t j = 0;; j += 8) {
            j = std::min(j, taille - 8);
            if (mot<8>(a + j, pli) != mot<8>(b + j, pli))
                return false;
            if (j + 8 == taille)
                return true;
        }
    }
    if (taille >= 4)
        return mot<4>(a, pli) == mot<4>(b, pli) && mot<4>(a + taille - 4, pli) == mot<4>(b + taille - 4, pli);
    for (std::size_t j = 0; j < taille; ++j)
        if ((a[j] | static_cast<char>(pli)) != (b[j] | static_cast<char>(pli)))
            return false;
    return true;
}

// A pattern of Cherc2haines, and the two bytes side by side in its middle
// that its quick test looks at, folded.
struct MotifReplie {
    std::string_view octets;
    std::size_t ancre;             // where the first of those bytes lies in it
    unsigned char premier, second; // 0 for an empty slot: no folded byte is 0
};

// The line ends that lie before the line where Cherc2haines found a pattern.
struct LignesAvant {
    std::size_t lf = 0;   // how many LFs
    bool lf_seul = false; // whether one of them lacks its CR
};

// Which lines hold one of several patterns, letters folded: each byte is
// compared with 0x20 set on both sides, so that "GET_KEY" is found in
// "call get_key" (and in a few texts with other bytes, which the caller checks).
//
// What it adds to cherc2haine: one pass over the text for all the patterns,
// which also counts the text's lines on the way. The pass looks at `largeur`
// places at a time (cherc2haine.cpp) and, at each place, tests it and the
// next byte against each pattern's two middle bytes: its anchor. Bytes inside
// a name vary more than its first byte ('c' begins half the words of
// assembly), and a pair of them rarely occurs by chance. As every pattern
// tests the same two bytes of a place, the pass reads each byte in two
// vectors only, whatever the patterns; the tests take the same few vector
// instructions at every place, with no branch, and find the line ends in the
// same instructions. Only a place whose test passes is looked at exactly:
// whether a pattern occurs there, its anchor at that place.
class Cherc2haines {
public:
    // The pass tests this many patterns at most: its tests are then constants
    // that stay in registers.
    static constexpr std::size_t motifs_max = 3;

    // Adds a pattern to look for: at least two bytes, none of which folds to
    // an LF ('\n' and '*' do), so that a pattern lies within a line. False, and
    // nothing added, for another pattern, or once there are motifs_max. The
    // pattern must outlive the search.
    bool ajouter(std::string_view motif);

    // The first line from `debut` on in `texte` that holds one of the
    // patterns, with its LF if it has one; empty if none does. Tells in
    // `avant` what line ends lie from `debut` on before that line (up to the
    // end of the text, if no line holds one). `debut` begins a line: it is 0,
    // or follows an LF, which the search reads and counts as no CR. Allocates
    // nothing.
    std::string_view ligne(std::string_view texte, std::size_t debut, LignesAvant& avant) const;

private:
    // The first `nombre_` are the patterns; the others, empty, pass no test.
    std::array<MotifReplie, motifs_max> motifs_{};
    std::size_t nombre_ = 0;
};
