// The whole conversion of a source, from bytes on disk to bytes on disk,
// against a small model written here from the rules: DOS text decoding, one
// line at a time, DOS text encoding. An input that begins with the byte 0xFF
// is repeated past the size of the reader's first block, so that lines and
// patterns also straddle blocks.

#include "tests/en_memoire.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// The bytes on disk that the conversion of `source` writes, and how many
// lines it replaces.
std::pair<std::string, std::size_t> modele(std::string source)
{
    source = source.substr(0, source.find('\x1A'));
    std::string texte;
    for (std::size_t i = 0; i < source.size(); ++i)
        if (!(source[i] == '\r' && i + 1 < source.size() && source[i + 1] == '\n'))
            texte += source[i];

    const auto contient = [](std::string_view ligne, std::initializer_list<std::string_view> motifs) {
        return std::any_of(motifs.begin(), motifs.end(), [ligne](std::string_view motif) {
            return ligne.find(motif) != std::string_view::npos;
        });
    };
    std::string disque;
    std::size_t remplacees = 0;
    for (std::size_t debut = 0; debut < texte.size();) {
        const std::size_t lf = texte.find('\n', debut);
        const std::size_t fin = lf == std::string::npos ? texte.size() : lf + 1;
        const std::string_view ligne(texte.data() + debut, fin - debut);
        const bool inclusion = contient(ligne, {"crash.inc", "ti82.h"});
        const bool touche = contient(ligne, {"call GET_KEY", "CALL GET_KEY", "call\tGET_KEY"});
        // Written as a DOS text: each LF goes out as CR LF.
        disque += inclusion ? "#INCLUDE vepbeta.inc\r\n" : "";
        disque += touche ? "        ROM_CALL(GET_KEY)\r\n" : "";
        if (!inclusion && !touche)
            for (char octet : ligne)
                disque += octet == '\n' ? "\r\n" : std::string(1, octet);
        remplacees += inclusion || touche;
        debut = fin;
    }
    return {disque, remplacees};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    const std::string entree(reinterpret_cast<const char*>(donnees), taille);
    std::string source = entree;
    if (taille > 0 && donnees[0] == 0xFF)
        while (source.size() < 270'000)
            source += entree;

    // The report sees every replaced line, and the bytes are the rules' alone.
    const EnMemoire resultat = convertir_en_memoire(source);
    const std::size_t remplacees = std::stoul(resultat.rapport.substr(resultat.rapport.rfind(" : ") + 3));
    if (resultat.fin != Conversion::terminee || std::pair(resultat.convertie, remplacees) != modele(source))
        std::abort();
    return 0;
}
