// The search, and the whole conversion from bytes on disk to bytes on disk.

#include "cas.hpp"
#include "conversion/cherc2haine.hpp"
#include "conversion/convertir.hpp"

#include <algorithm>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// What `fichier` holds; closes it.
std::string contenu(std::FILE* fichier)
{
    std::string octets(static_cast<std::size_t>(std::ftell(fichier)), '\0');
    std::rewind(fichier);
    octets.resize(std::fread(octets.data(), 1, octets.size(), fichier));
    std::fclose(fichier);
    return octets;
}

// What the converter writes on disk for a source holding `source`, and what
// its report says of that source, named prog.asm.
std::pair<std::string, std::string> convertir(const std::string& source)
{
    std::FILE* entree = std::tmpfile();
    std::FILE* sortie = std::tmpfile();
    std::FILE* erreurs = std::tmpfile();
    std::fwrite(source.data(), 1, source.size(), entree);
    std::rewind(entree);
    LecteurDos lecteur(entree);
    EcrivainDos ecrivain(sortie);
    Rapport rapport;
    EXPECT_EQ(convertir_fichier(lecteur, ecrivain, rapport), Conversion::terminee);
    EXPECT_TRUE(rapport.ecrire("prog.asm", erreurs));
    std::fclose(entree);
    return {contenu(sortie), contenu(erreurs)};
}

// Where Cherc2haines must find the first of `motifs` in `texte`: bytes folded.
std::ptrdiff_t premiere_attendue(std::string texte, const std::vector<std::string_view>& motifs)
{
    const auto replie = [](std::string octets) {
        for (char& octet : octets)
            octet |= 0x20;
        return octets;
    };
    std::size_t premiere = std::string::npos;
    for (std::string_view motif : motifs)
        premiere =
            motif.empty() ? premiere : std::min(premiere, replie(texte).find(replie(std::string(motif))));
    return premiere == std::string::npos ? -1 : static_cast<std::ptrdiff_t>(premiere);
}

} // namespace

TEST(Conversion, CasDuFichier)
{
    for (const Cas& c : lire_cas(CAS "/conversions.txt")) {
        const auto [convertie, rapport] = convertir(c.champs.at(0));
        EXPECT_EQ(convertie, c.champs.at(1)) << "conversions.txt:" << c.ligne;
        // The findings, before the line that sums up.
        EXPECT_EQ(rapport.substr(0, rapport.rfind('\n', rapport.size() - 2) + 1),
                  c.champs.size() > 2 ? c.champs[2] : "")
            << "conversions.txt:" << c.ligne;
    }
}

TEST(Rapport, GardeCentConstatsEtCompteLesAutres)
{
    std::string source;
    for (int i = 0; i < 300; ++i)
        source += i % 2 ? "\tCall GET_KEY\n" : "\tcall GET_KEY\n";
    const std::string rapport = convertir(source).second;
    EXPECT_EQ(std::count(rapport.begin(), rapport.end(), '\n'), 101);
    EXPECT_EQ(rapport.substr(0, rapport.find('\n')),
              "prog.asm:2: attention: non converti (casse) : Call GET_KEY");
    EXPECT_EQ(rapport.substr(rapport.rfind('\n', rapport.size() - 2) + 1),
              "prog.asm : 150 lignes remplacees, 150 avertissements (50 non affiches)\n");
}

TEST(Cherc2haines, TrouveLaPremiereOccurrenceDeTousLesMotifs)
{
    // Patterns that share their length, middle and last bytes, two that
    // share only length and middle byte, one much longer than the others,
    // and an empty one.
    const std::string longue = "x" + std::string(20, '.') + "ti82.h" + std::string(24, '.') + "y";
    const std::vector<std::string_view> motifs = {
        "call GET_KEY", "CALL GET_KEY", "call\tGET_KEY", "TI82.H", "crash.inc", "ab2cd", "ef2gh", "", longue};
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
