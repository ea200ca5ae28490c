// The text search of the converter.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// Index of the first occurrence of `motif` in `texte`, or -1 when it does not
// occur. Bytes are compared as they are (no case folding; NUL is a byte like
// any other), and an empty pattern is never found. Allocates nothing.
std::ptrdiff_t cherc2haine(std::string_view texte, std::string_view motif);

// A pattern of Cherc2haines, and the two bytes of it that its quick test
// looks at, folded.
struct MotifReplie {
    std::string_view octets;
    std::size_t milieu, fin; // where those bytes lie in it (0 when empty)
    unsigned char central, dernier;
};

// The line ends that lie before the line where Cherc2haines found a pattern.
struct LignesAvant {
    std::size_t lf = 0;   // how many LFs
    bool lf_seul = false; // whether one of them lacks its CR
};

// Where the first of several patterns occurs in a text, letters folded: each
// byte is compared with 0x20 set on both sides, so that "GET_KEY" is found in
// "call get_key" (and in a few texts with other bytes, which the caller checks).
//
// What it adds to cherc2haine: one pass over the text for all the patterns,
// which also counts the text's lines on the way. The pass looks at `largeur`
// places at a time (cherc2haine.cpp) and, for each pattern, tests only two of
// its bytes, its middle and last ones: bytes inside a name, which vary more
// than its first byte ('c' begins half the words of assembly) and lie apart,
// so that one test rarely passes by chance. That test takes the same few
// vector instructions at every place, with no branch, and finds the line ends
// in the same instructions. Only a stretch of places whose test passes is
// searched exactly.
class Cherc2haines {
public:
    // The pass tests this many patterns at most: its tests are then constants
    // that stay in registers.
    static constexpr std::size_t motifs_max = 3;

    // Adds a pattern to look for; an empty one is never found. The pattern
    // must outlive the search. False, and nothing added, once there are
    // motifs_max patterns.
    bool ajouter(std::string_view motif);

    // Index of the first place in `texte` from `debut` on where one of the
    // patterns occurs, letters folded, or -1; tells in `avant` what line ends
    // lie from `debut` on before the line of that place (up to the end of the
    // text, if no pattern occurs). `debut` begins a line: it is 0, or follows
    // an LF, which the search reads and counts as no CR. Allocates nothing.
    std::ptrdiff_t premiere(std::string_view texte, std::size_t debut, LignesAvant& avant) const;

private:
    // The first `nombre_` are the patterns; the others, empty, pass no test.
    std::array<MotifReplie, motifs_max> motifs_{};
    std::size_t nombre_ = 0;
    std::size_t plus_long_ = 0;
};
