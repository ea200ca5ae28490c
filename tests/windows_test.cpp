// The Windows program under wine, where "VEP.bat" and PAUSE go to wine's own
// command interpreter: the same conversions and the same dialogue.

#include "cas.hpp"
#include "console/textes.hpp"
#include "programme.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

// Windows' console output ends its lines in CR LF.
std::string en_console_windows(std::string texte)
{
    for (std::size_t i = 0; (i = texte.find('\n', i)) != std::string::npos; i += 2)
        texte.insert(i, 1, '\r');
    return texte;
}

// The Windows program in a folder holding prog.asm, with the stand-in tools
// under their Windows names on the Windows PATH.
struct SousWine {
    explicit SousWine(const std::string& source) : programme(preparer(source), options()) {}

    const Dossier& preparer(const std::string& source)
    {
        dossier.ecrire("prog.asm", source);
        std::filesystem::create_directory(dossier.chemin("outils_windows"));
        for (const char* nom : {"tasm.exe", "KORVEX_modified_for_VEP.EXE"})
            std::filesystem::copy_file(OUTIL_TEMOIN, dossier.chemin("outils_windows/") + nom);
        return dossier;
    }

    Programme::Options options() const
    {
        Programme::Options options;
        options.outils = false;
        options.commande = {WINE, CRASH2VEP_EXE};
        options.environnement = {"WINEDEBUG=-all", "WINEPATH=Z:" + dossier.chemin("outils_windows")};
        return options;
    }

    Dossier dossier;
    Programme programme;
};

} // namespace

TEST(Windows, ConvertitLesCasDuFichier)
{
    // A few runs at a time: wine takes about a second to start.
    const std::vector<Cas> tous = lire_cas(CAS "/conversions.txt");
    for (std::size_t premier = 0; premier < tous.size(); premier += 8) {
        std::vector<std::unique_ptr<SousWine>> lot;
        for (std::size_t i = premier; i < std::min(premier + 8, tous.size()); ++i) {
            lot.push_back(std::make_unique<SousWine>(tous[i].champs.at(0)));
            lot.back()->programme.ecrire("prog.asm nouveau.asm nouveau\n");
            lot.back()->programme.fermer_entree();
        }
        for (std::size_t i = 0; i < lot.size(); ++i) {
            const Cas& c = tous[premier + i];
            EXPECT_EQ(lot[i]->programme.statut(), 0) << lot[i]->programme.console();
            EXPECT_EQ(lot[i]->dossier.lire("nouveau.asm"), c.champs.at(1)) << "conversions.txt:" << c.ligne;
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
    SousWine w("#include \"crash.inc\"\r\n\tCALL GET_KEY\r\n");
    w.dossier.ecrire("autre.asm", "autre");
    // Names that cmd would read otherwise than as names are refused.
    const std::string source = question_source, sortie = question_sortie, base = question_base;
    const std::string dialogue[] = {source,
                                    fichier_absent + source,
                                    sortie,
                                    caractere_interdit + sortie,
                                    caractere_interdit + sortie,
                                    annonce_base + base,
                                    caractere_interdit + base};
    const char* reponses[] = {"absent.asm",  "prog.asm",        "R&D.asm", "50%off.asm",
                              "nouveau.asm", "x&del,*.asm&rem", "nouveau"};
    for (std::size_t i = 0; i < std::size(reponses); ++i) {
        ASSERT_TRUE(w.programme.attendre(en_console_windows(dialogue[i])));
        w.programme.ecrire(reponses[i] + std::string("\n"));
    }
    ASSERT_TRUE(w.programme.attendre("tasm -b -80  -r16 nouveau.asm"));
    ASSERT_TRUE(w.programme.attendre("KORVEX_modified_for_VEP.EXE nouveau.OBJ"));
    ASSERT_TRUE(w.programme.attendre(en_console_windows(fin)));
    EXPECT_TRUE(w.programme.attend_encore(500)) << "PAUSE must wait for a key";
    w.programme.ecrire("x");
    EXPECT_EQ(w.programme.statut(), 0);

    const std::string convertie = "#INCLUDE vepbeta.inc\r\n        ROM_CALL(GET_KEY)\r\n";
    EXPECT_EQ(w.dossier.lire("nouveau.asm"), convertie);
    EXPECT_EQ(w.dossier.lire("vu_par_tasm"), convertie);
    EXPECT_EQ(w.dossier.lire("VEP.bat"),
              "tasm -b -80  -r16 nouveau.asm \r\nKORVEX_modified_for_VEP.EXE nouveau.OBJ");
    EXPECT_EQ(w.dossier.lire("appels"), "tasm [-b] [-80] [-r16] [nouveau.asm]\n"
                                        "KORVEX_modified_for_VEP.EXE [nouveau.OBJ]\n");
    EXPECT_EQ(w.dossier.lire("autre.asm"), "autre");
    EXPECT_EQ(w.dossier.lire("prog.asm"), "#include \"crash.inc\"\r\n\tCALL GET_KEY\r\n");
    std::string tout;
    for (const std::string& texte : dialogue)
        tout += texte;
    EXPECT_EQ(w.programme.console().find(en_console_windows(tout)), 0u);
}
