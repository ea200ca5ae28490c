// The Windows program under wine, where "VEP.bat" and PAUSE go to wine's own
// command interpreter: the same conversions and the same dialogue.

#include "cas.hpp"
#include "console/textes.hpp"
#include "programme.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Windows' console output ends its lines in CR LF.
std::string en_console_windows(std::string texte)
{
    for (std::size_t i = 0; (i = texte.find('\n', i)) != std::string::npos; i += 2)
        texte.insert(i, 1, '\r');
    return texte;
}

// The Windows program, with the stand-in tools under their Windows names on
// the Windows PATH.
Programme::Options sous_wine()
{
    return {false,
            {"bash", "-c",
             "mkdir w && cp " OUTIL_TEMOIN " w/tasm.exe && cp " OUTIL_TEMOIN
             " w/KORVEX_modified_for_VEP.EXE && WINEPATH=Z:$PWD/w exec " WINE " " CRASH2VEP_EXE},
            {"WINEDEBUG=-all"}};
}

} // namespace

TEST(Windows, ConvertitLesCasDuFichier)
{
    // A few runs at a time: wine takes about a second to start.
    const std::vector<Cas> tous = lire_cas(CAS "/conversions.txt");
    for (std::size_t premier = 0; premier < tous.size(); premier += 8) {
        std::vector<std::unique_ptr<Seance>> lot;
        for (std::size_t i = premier; i < std::min(premier + 8, tous.size()); ++i) {
            lot.push_back(std::make_unique<Seance>(tous[i].champs.at(0), sous_wine()));
            lot.back()->programme.ecrire("prog.asm nouveau.asm nouveau\n");
            lot.back()->programme.fermer_entree();
        }
        for (std::size_t i = 0; i < lot.size(); ++i) {
            const Cas& c = tous[premier + i];
            EXPECT_EQ(lot[i]->programme.statut(), 0) << lot[i]->programme.console();
            EXPECT_TRUE(lot[i]->dossier.lire("nouveau.asm") == c.champs.at(1))
                << "conversions.txt:" << c.ligne;
            // The findings, then the line that sums up, on the console's standard error.
            const std::string constats = en_console_windows(c.champs.size() > 2 ? c.champs[2] : "");
            EXPECT_EQ(lot[i]->programme.erreurs().find(constats + "prog.asm : "), 0u)
                << "conversions.txt:" << c.ligne << lot[i]->programme.erreurs();
        }
    }
}

TEST(Windows, TientLeDialogueEtConstruitParLInterpreteurDeCommandes)
{
    using namespace texte;
    const std::string source = "#include \"crash.inc\"\r\n\tCALL GET_KEY\r\n";
    Seance w(source, sous_wine());
    w.dossier.ecrire("autre.asm", "autre");
    // Names that cmd would read otherwise than as names are refused.
    w.programme.ecrire("absent.asm\nprog.asm\nR&D.asm\n50%off.asm\nnouveau.asm\nx&del,*.asm&rem\nnouveau\n");
    const std::string sortie = question_sortie, base = question_base;
    const std::string dialogue = question_source + (fichier_absent + std::string(question_source)) + sortie +
                                 caractere_interdit + sortie + caractere_interdit + sortie + annonce_base +
                                 base + caractere_interdit + base;
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
    EXPECT_EQ(w.dossier.lire("autre.asm") + w.dossier.lire("prog.asm"), "autre" + source);
}
