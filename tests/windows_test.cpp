// The Windows program under wine, where "VEP.bat" and PAUSE go to wine's own
// command interpreter: the same conversions and the same dialogue.

#include "cas.hpp"
#include "console/textes.hpp"
#include "programme.hpp"

#include <gtest/gtest.h>

namespace {

// Windows' console output ends its lines in CR LF.
std::string en_console_windows(std::string texte)
{
    for (std::size_t i = 0; (i = texte.find('\n', i)) != std::string::npos; i += 2)
        texte.insert(i, 1, '\r');
    return texte;
}

// The Windows program, with the stand-in tools under their Windows names,
// tasm on the Windows PATH and the converter tool in the current folder, in
// wine's locale `langue`: it sets the OEM code page (the answers', and
// VEP.bat's without a console), the ANSI one (the tools' arguments') and, if
// installed, the encoding of names on disk. C.UTF-8: 437, 1252 and UTF-8.
Programme::Options sous_wine(const std::string& langue = "C.UTF-8", const std::string& arguments = "")
{
    return {false,
            {"bash", "-c",
             "mkdir w && cp " OUTIL_TEMOIN " w/tasm.exe && cp " OUTIL_TEMOIN
             " KORVEX_modified_for_VEP.EXE && WINEPATH=Z:$PWD/w WINEDEBUG=-all exec env LC_ALL=" +
                 langue + " " WINE " " CRASH2VEP_EXE + arguments}};
}

class Conversion : public testing::TestWithParam<Cas> {};

} // namespace

TEST_P(Conversion, DonneLesOctetsDuCas)
{
    const Cas& c = GetParam();
    Seance w(c["source"], sous_wine());
    w.programme.ecrire("prog.asm nouveau.asm nouveau\n");
    w.programme.fermer_entree();
    EXPECT_EQ(w.programme.statut(), 0) << w.programme.console();
    EXPECT_TRUE(w.dossier.lire("nouveau.asm") == c["convertie"]);
    // The findings, then the line that sums up, on the console's standard error.
    const std::string constats = en_console_windows(c["constats"]);
    EXPECT_EQ(w.programme.erreurs().find(constats + "prog.asm : "), 0u) << w.programme.erreurs();
}

// One test per case of conversions.txt, so that ctest runs them side by side.
INSTANTIATE_TEST_SUITE_P(Windows, Conversion,
                         testing::ValuesIn(lire_cas(CAS "/conversions.txt",
                                                    {"source", "convertie", "constats"})));

TEST(Windows, TientLeDialogueEtConstruitParLInterpreteurDeCommandes)
{
    using namespace texte;
    const std::string source = "#include \"crash.inc\"\r\n\tCALL GET_KEY\r\n";
    // Answers in Shift-JIS, wine's OEM code page for a Japanese locale, where
    // 0x81 begins a character that '.' cannot end.
    Seance w(source, sous_wine("ja_JP.UTF-8"));
    // Devices are no source; names that cmd would read otherwise than as
    // names, that open devices, that cmd would run for a tool or that lead to
    // one (KORV~HJR.EXE, wine's short name of KORVEX_modified_for_VEP.EXE) are refused.
    w.programme.ecrire(
        "absent.asm\nnul\nNUL.asm\nprog.asm\nR&D.asm\n50%off.asm\nnul.asm\ncom1.asm\ntasm.bat\n"
        "TASM.EXE\nKORV~HJR.EXE\n\x81.asm\nnouveau.asm\nx&del,*.asm&rem\nnouveau\n");
    const std::string source_absente = fichier_absent + std::string(question_source);
    const std::string sortie = question_sortie, base = question_base;
    const std::string dialogue =
        question_source + source_absente + source_absente + source_absente + sortie + caractere_interdit +
        sortie + caractere_interdit + sortie + nom_de_peripherique + sortie + nom_de_peripherique + sortie +
        texte::nom_d_outil + sortie + texte::nom_d_outil + sortie + texte::nom_d_outil + sortie +
        caractere_interdit + sortie + annonce_base + base + caractere_interdit + base;
    ASSERT_TRUE(w.programme.attendre(en_console_windows(dialogue)));
    ASSERT_TRUE(w.programme.attendre("tasm -b -80  -r16 nouveau.asm"));
    ASSERT_TRUE(w.programme.attendre("KORVEX_modified_for_VEP.EXE nouveau.OBJ"));
    ASSERT_TRUE(w.programme.attendre(en_console_windows(fin)));
    EXPECT_TRUE(w.programme.attend_encore(500)) << "PAUSE must wait for a key";
    w.programme.ecrire("x");
    EXPECT_EQ(w.programme.statut(), 0);

    const std::string convertie = "#INCLUDE vepbeta.inc\r\n        ROM_CALL(GET_KEY)\r\n";
    EXPECT_EQ(w.dossier.lire("nouveau.asm") + w.dossier.lire("vu_par_tasm"), convertie + convertie);
    EXPECT_EQ(w.dossier.lire("VEP.bat"),
              "tasm -b -80  -r16 nouveau.asm \r\nKORVEX_modified_for_VEP.EXE nouveau.OBJ");
    EXPECT_EQ(w.dossier.lire("appels"), "tasm [-b] [-80] [-r16] [nouveau.asm]\n"
                                        "KORVEX_modified_for_VEP.EXE [nouveau.OBJ]\n");
    EXPECT_EQ(w.dossier.lire("prog.asm"), source);
}

TEST(Windows, PorteLesNomsAccentuesJusquAuxOutils)
{
    // Typed in code page 437, the OEM code page of wine's default locale, as
    // in 850, the French console's: é is 0x82, è 0x8A, both in 1252, the ANSI
    // code page the tools read; 0xE9 is Θ, which 1252 lacks (TASM would get T).
    // The object file of an earlier build, which the stand-in tools do not
    // write, fails the build.
    using namespace texte;
    Dossier dossier;
    dossier.ecrire("été.asm", "\tCALL GET_KEY\r\n").ecrire("élève.OBJ", "ancien");
    Programme programme(dossier, sous_wine());
    programme.ecrire("\x82t\x82.asm \xE9t\xE9.asm \x82l\x8Ave.asm \xE9t\xE9 \x82l\x8Ave\n");
    programme.fermer_entree();
    EXPECT_EQ(programme.statut(), 3) << programme.console();
    EXPECT_NE(programme.erreurs().find("\x82l\x8Ave.OBJ n'a pas ete reecrit, c'est l'ancien \r\n"),
              std::string::npos);
    const std::string sortie = question_sortie, base = question_base;
    const std::string dialogue = question_source + sortie + caractere_interdit + sortie + annonce_base +
                                 base + caractere_interdit + base;
    EXPECT_EQ(programme.console().find(en_console_windows(dialogue)), 0u) << programme.console();

    const std::string convertie = "        ROM_CALL(GET_KEY)\r\n";
    EXPECT_EQ(dossier.lire("élève.asm") + dossier.lire("vu_par_tasm"), convertie + convertie);
    EXPECT_EQ(dossier.lire("VEP.bat"),
              "tasm -b -80  -r16 \x82l\x8Ave.asm \r\nKORVEX_modified_for_VEP.EXE \x82l\x8Ave.OBJ");
    EXPECT_EQ(dossier.lire("appels"), "tasm [-b] [-80] [-r16] [élève.asm]\n"
                                      "KORVEX_modified_for_VEP.EXE [élève.OBJ]\n");
}

TEST(Windows, PrendLeFichierDeposeSurLui)
{
    // The explorer starts the program with the dropped file's full path. A
    // new file in full-width letters, which the code page lacks, is asked
    // for: it must not become "f.asm".
    Dossier dossier;
    dossier.ecrire("mon prog.asm", "\tCALL GET_KEY\r\n");
    Programme programme(dossier, sous_wine("C.UTF-8", R"( "Z:$(pwd | tr / '\\')\\mon prog.asm" ｆ.asm)"));
    programme.ecrire("nouveau.asm nouveau\n");
    programme.fermer_entree();
    EXPECT_EQ(programme.statut(), 0) << programme.console();
    EXPECT_EQ(programme.console().find(texte::question_source), std::string::npos);
    EXPECT_EQ(dossier.lire("nouveau.asm"), "        ROM_CALL(GET_KEY)\r\n");
}
