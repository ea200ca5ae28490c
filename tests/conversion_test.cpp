// The search, the DOS text files and the converter, on escaped byte strings.

#include "conversion/cherc2haine.hpp"
#include "conversion/convertir.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

const std::string inclusion = "#INCLUDE vepbeta.inc\r\n";
const std::string touche = "        ROM_CALL(GET_KEY)\r\n";

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

} // namespace

TEST(Cherc2haine, DonneLaPremiereOccurrence)
{
    EXPECT_EQ(cherc2haine("0123456789ti82.h", "ti82.h"), 10);
    EXPECT_EQ(cherc2haine("ti82.h\n", "ti82.h"), 0);
    EXPECT_EQ(cherc2haine("x crash.inc", "crash.inc"), 2);
    EXPECT_EQ(cherc2haine("ti82.h ti82.h", "ti82.h"), 0);
    EXPECT_EQ(cherc2haine("ccall GET_KEY", "call GET_KEY"), 1);
    EXPECT_EQ(cherc2haine("a\0ti82.h"s, "ti82.h"), 2);
    EXPECT_EQ(cherc2haine("a\0b\0c"s, "b\0c"s), 2);
}

TEST(Cherc2haine, NeTrouvePasCeQuiNEstPasLa)
{
    EXPECT_EQ(cherc2haine("", "ti82.h"), -1);
    EXPECT_EQ(cherc2haine("", ""), -1);
    EXPECT_EQ(cherc2haine("call GET_KEY", ""), -1);
    EXPECT_EQ(cherc2haine("call GET", "call GET_KEY"), -1);
    EXPECT_EQ(cherc2haine("ti82.", "ti82.h"), -1);
    EXPECT_EQ(cherc2haine("call get_key", "call GET_KEY"), -1);
    EXPECT_EQ(cherc2haine("Call GET_KEY", "call GET_KEY"), -1);
    EXPECT_EQ(cherc2haine("call\tGET_KEY", "call GET_KEY"), -1);
    EXPECT_EQ(cherc2haine("call GET_KEY", "call\tGET_KEY"), -1);
    EXPECT_EQ(cherc2haine("ti82\0.h"s, "ti82.h"), -1);
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

TEST(Cherc2haines, TrouveLaPremiereOccurrenceDeTousLesMotifs)
{
    // Patterns that share their length, middle and last bytes, one much longer
    // than the others, and an empty one.
    const std::vector<std::string_view> motifs = {"call GET_KEY",
                                                  "CALL GET_KEY",
                                                  "call\tGET_KEY",
                                                  "ti82.h",
                                                  "crash.inc",
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
    texte.replace(130, motifs[6].size(), motifs[6]);
    EXPECT_EQ(recherche.premiere(texte), 130);

    EXPECT_EQ(recherche.premiere(""), -1);
    EXPECT_EQ(recherche.premiere(std::string(1000, 'c')), -1);
    EXPECT_EQ(Cherc2haines().premiere("call GET_KEY"), -1);
}

TEST(TexteDos, LesLignesOrdinairesPassentOctetPourOctet)
{
    EXPECT_EQ(convertir(""), "");
    EXPECT_EQ(convertir("ld a,b\r\nret\r\n"), "ld a,b\r\nret\r\n");
    EXPECT_EQ(convertir("ld a,b\nret\n"), "ld a,b\r\nret\r\n");
    EXPECT_EQ(convertir("ld a,b\nret"), "ld a,b\r\nret");
    EXPECT_EQ(convertir("\n\r\n\t \n"), "\r\n\r\n\t \r\n");
    // A CR is a line end only before an LF.
    EXPECT_EQ(convertir("a\rb\r\n"), "a\rb\r\n");
    EXPECT_EQ(convertir("a\r\r\n"), "a\r\r\n");
    EXPECT_EQ(convertir("a\r"), "a\r");
    EXPECT_EQ(convertir("\xff\x80\x7f\n"), "\xff\x80\x7f\r\n");
    EXPECT_EQ(convertir("a\r\nb\nc\r\n\n\rd\n"), "a\r\nb\r\nc\r\n\r\n\rd\r\n");
}

TEST(TexteDos, UnOctet1ATermineLaSource)
{
    EXPECT_EQ(convertir("ret\r\nnop\x1A call GET_KEY\r\n"), "ret\r\nnop");
    EXPECT_EQ(convertir("\x1A#include \"crash.inc\"\r\n"), "");
    EXPECT_EQ(convertir("a\r\x1A\n"), "a\r");
    EXPECT_EQ(convertir("a\n\x1A"), "a\r\n");
}

TEST(TexteDos, LesOctetsNulsSontDesOctetsOrdinaires)
{
    EXPECT_EQ(convertir("a\0b\nc\n"s), "a\0b\r\nc\r\n"s);
    EXPECT_EQ(convertir("\0\nret\n"s), "\0\r\nret\r\n"s);
    EXPECT_EQ(convertir("\0 #include \"ti82.h\"\n"s), inclusion);
    EXPECT_EQ(convertir("ld a,0\0call GET_KEY\n"s), touche);
}

TEST(Convertir, LesInclusionsDeviennentLaLigneVep)
{
    EXPECT_EQ(convertir("#include \"crash.inc\"\r\n"), inclusion);
    EXPECT_EQ(convertir("  .include <ti82.h> ; en-tete\n"), inclusion);
    EXPECT_EQ(convertir("; on n'utilise plus ti82.h\r\n"), inclusion);
    EXPECT_EQ(convertir("#include \"crash.inc\""), inclusion);
    EXPECT_EQ(convertir("#include \"crash.inc\" ; ti82.h\r\n"), inclusion);
    EXPECT_EQ(convertir("#include \"crash82.inc\"\r\n#include \"TI82.H\"\r\n"),
              "#include \"crash82.inc\"\r\n#include \"TI82.H\"\r\n");
}

TEST(Convertir, LesAppelsDeGetKeyDeviennentLeRomCall)
{
    EXPECT_EQ(convertir("\tcall GET_KEY\r\n"), touche);
    EXPECT_EQ(convertir("boucle: CALL GET_KEY ; attend\r\n"), touche);
    EXPECT_EQ(convertir("  call\tGET_KEY\n"), touche);
    EXPECT_EQ(convertir(" call GET_KEY2\n"), touche);
    EXPECT_EQ(convertir(" call GET_KEY\n call GET_KEY\n"), touche + touche);
    const std::string autres = " call  GET_KEY\r\n Call GET_KEY\r\n CALL\tGET_KEY\r\n call get_key\r\n";
    EXPECT_EQ(convertir(autres), autres);
}

TEST(Convertir, UneLigneQuiToucheLesDeuxReglesDonneDeuxLignes)
{
    EXPECT_EQ(convertir("call GET_KEY ; ti82.h\r\nret\r\n"), inclusion + touche + "ret\r\n");
    EXPECT_EQ(convertir("ti82.h call GET_KEY"), inclusion + touche);
}

TEST(Convertir, LesLonguesLignesRestentEntieres)
{
    // Lines longer than the reader's blocks, patterns across block ends.
    const std::string longue(3'000'000, 'x');
    EXPECT_EQ(convertir(longue + "\r\n" + longue), longue + "\r\n" + longue);
    EXPECT_EQ(convertir(longue + " call GET_KEY\r\nret\n"), touche + "ret\r\n");
    for (std::size_t coupure : {262'144u - 4u, 262'144u - 1u, 524'288u - 3u}) {
        const std::string avant(coupure, ';');
        EXPECT_EQ(convertir("nop\n" + avant.substr(4) + "crash.inc\r\nnop\n"),
                  "nop\r\n" + inclusion + "nop\r\n");
        EXPECT_EQ(convertir(avant + "\r\n"), avant + "\r\n");
    }
}
