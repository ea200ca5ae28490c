// The search, and the whole conversion from bytes on disk to bytes on disk.

#include "cas.hpp"
#include "conversion/cherc2haine.hpp"
#include "conversion/convertir.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// What the converter writes on disk for a source holding `source`, and what
// its report says of that source, named prog.asm.
std::pair<std::string, std::string> convertir(std::string source)
{
    char* octets[2] = {};
    std::size_t tailles[2] = {};
    std::FILE* entree = source.empty() ? std::tmpfile() : fmemopen(source.data(), source.size(), "rb");
    std::FILE* sorties[] = {open_memstream(&octets[0], &tailles[0]), open_memstream(&octets[1], &tailles[1])};
    LecteurDos lecteur(entree);
    EcrivainDos ecrivain(sorties[0]);
    Rapport rapport;
    EXPECT_EQ(convertir_fichier(lecteur, ecrivain, rapport), Conversion::terminee);
    EXPECT_TRUE(rapport.ecrire("prog.asm", sorties[1]));
    for (std::FILE* fichier : {entree, sorties[0], sorties[1]})
        std::fclose(fichier);
    const std::pair resultat(std::string(octets[0], tailles[0]), std::string(octets[1], tailles[1]));
    std::free(octets[0]), std::free(octets[1]);
    return resultat;
}

} // namespace

TEST(Conversion, CasDuFichier)
{
    for (const Cas& c : lire_cas(CAS "/conversions.txt")) {
        const auto [convertie, rapport] = convertir(c.champs.at(0));
        EXPECT_TRUE(convertie == c.champs.at(1)) << "conversions.txt:" << c.ligne; // some are megabytes
        // The findings, before the line that sums up.
        EXPECT_EQ(rapport.substr(0, rapport.rfind('\n', rapport.size() - 2) + 1),
                  c.champs.size() > 2 ? c.champs[2] : "")
            << "conversions.txt:" << c.ligne;
    }
}

TEST(Cherc2haines, TrouveLaPremiereOccurrenceDeTousLesMotifs)
{
    // An empty pattern, and one much longer than the others.
    const std::string longue = "x" + std::string(20, '.') + "ti82.h" + std::string(24, '.') + "y";
    const std::vector<std::string_view> motifs = {"call\tGET_KEY", "", "TI82.H", longue};
    Cherc2haines recherche;
    for (std::string_view motif : motifs)
        recherche.ajouter(motif);
    // Where it must find the first of them: std::string::find, bytes folded.
    const auto premiere_attendue = [&motifs](std::string texte) {
        const auto replie = [](std::string octets) {
            for (char& octet : octets)
                octet |= 0x20;
            return octets;
        };
        std::size_t premiere = std::string::npos;
        for (std::string_view motif : motifs)
            if (!motif.empty())
                premiere = std::min(premiere, replie(texte).find(replie(std::string(motif))));
        return premiere == std::string::npos ? -1 : static_cast<std::ptrdiff_t>(premiere);
    };

    for (std::size_t place : {0u, 1u, 60u, 127u, 128u, 130u, 255u, 300u, 1000u}) {
        for (std::string_view motif : motifs) {
            std::string texte(place + 200, ' ');
            texte.replace(place, motif.size(), motif);
            EXPECT_EQ(recherche.premiere(texte), premiere_attendue(texte)) << place << " " << motif;
            texte.resize(place + motif.size());
            EXPECT_EQ(recherche.premiere(texte), premiere_attendue(texte)) << place << " " << motif;
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
