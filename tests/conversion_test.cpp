// The search, and the whole conversion from bytes on disk to bytes on disk.

#include "cas.hpp"
#include "conversion/cherc2haine.hpp"
#include "conversion/convertir.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

// What the converter writes on disk for a source holding `source`.
std::string convertir(const std::string& source)
{
    std::FILE* entree = std::tmpfile();
    std::FILE* sortie = std::tmpfile();
    std::fwrite(source.data(), 1, source.size(), entree);
    std::rewind(entree);
    LecteurDos lecteur(entree);
    EcrivainDos ecrivain(sortie);
    EXPECT_EQ(convertir_fichier(lecteur, ecrivain), Conversion::terminee);
    std::string resultat(static_cast<std::size_t>(std::ftell(sortie)), '\0');
    std::rewind(sortie);
    resultat.resize(std::fread(resultat.data(), 1, resultat.size(), sortie));
    std::fclose(entree);
    std::fclose(sortie);
    return resultat;
}

// The least of cherc2haine's answers: what Cherc2haines must find in one pass.
std::ptrdiff_t premiere_attendue(std::string_view texte, const std::vector<std::string_view>& motifs)
{
    std::ptrdiff_t premiere = -1;
    for (std::string_view motif : motifs) {
        const std::ptrdiff_t place = cherc2haine(texte, motif);
        if (place >= 0 && (premiere < 0 || place < premiere))
            premiere = place;
    }
    return premiere;
}

} // namespace

TEST(Conversion, CasDuFichier)
{
    for (const Cas& c : lire_cas(CAS "/conversions.txt"))
        EXPECT_EQ(convertir(c.champs.at(0)), c.champs.at(1)) << "conversions.txt:" << c.ligne;
}

TEST(Cherc2haine, DonneLaPremiereOccurrenceExacte)
{
    EXPECT_EQ(cherc2haine("0123456789ti82.h", "ti82.h"), 10);
    EXPECT_EQ(cherc2haine("ti82.h ti82.h", "ti82.h"), 0);
    EXPECT_EQ(cherc2haine("ccall GET_KEY", "call GET_KEY"), 1);
    EXPECT_EQ(cherc2haine("a\0b\0c"s, "b\0c"s), 2);
    EXPECT_EQ(cherc2haine("", ""), -1);
    EXPECT_EQ(cherc2haine("call GET_KEY", ""), -1);
    EXPECT_EQ(cherc2haine("call GET", "call GET_KEY"), -1);
    EXPECT_EQ(cherc2haine("Call GET_KEY", "call GET_KEY"), -1);
    EXPECT_EQ(cherc2haine("ti82\0.h"s, "ti82.h"), -1);
}

TEST(Cherc2haines, TrouveLaPremiereOccurrenceDeTousLesMotifs)
{
    // Patterns that share their length, middle and last bytes, two that
    // share only length and middle byte, one much longer than the others,
    // and an empty one.
    const std::vector<std::string_view> motifs = {"call GET_KEY",
                                                  "CALL GET_KEY",
                                                  "call\tGET_KEY",
                                                  "ti82.h",
                                                  "crash.inc",
                                                  "ab2cd",
                                                  "ef2gh",
                                                  "",
                                                  "x....................ti82.h........................y"};
    Cherc2haines recherche;
    for (std::string_view motif : motifs)
        recherche.ajouter(motif);

    for (std::size_t place : {0u, 1u, 60u, 127u, 128u, 130u, 255u, 300u, 1000u}) {
        for (std::string_view motif : motifs) {
            std::string texte(place + 200, ' ');
            texte.replace(place, motif.size(), motif);
            EXPECT_EQ(recherche.premiere(texte), premiere_attendue(texte, motifs)) << place << " " << motif;
            texte.resize(place + motif.size());
            EXPECT_EQ(recherche.premiere(texte), premiere_attendue(texte, motifs)) << place << " " << motif;
        }
    }
    // The first window's test for ti82.h passes on "zzz2zh"; the ti82.h found
    // past that window lies inside a longer pattern that starts before it.
    std::string texte(400, '.');
    texte.replace(10, 6, "zzz2zh");
    texte.replace(130, motifs.back().size(), motifs.back());
    EXPECT_EQ(recherche.premiere(texte), 130);

    EXPECT_EQ(recherche.premiere(""), -1);
    EXPECT_EQ(recherche.premiere(std::string(1000, 'c')), -1);
    EXPECT_EQ(Cherc2haines().premiere("call GET_KEY"), -1);
}
