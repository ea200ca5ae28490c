#include "conversion/cherc2haine.hpp"

#include <cstring>

std::ptrdiff_t cherc2haine(std::string_view texte, std::string_view motif)
{
    if (motif.empty() || motif.size() > texte.size())
        return -1;
    // Candidates are the places of the pattern's first byte that leave room
    // for the whole pattern: memchr finds them faster than a byte loop.
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
