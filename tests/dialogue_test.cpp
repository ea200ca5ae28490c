// The built program, run in a folder of its own and answered prompt by prompt.

#include "programme.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <termios.h>

namespace {

using namespace attendu;

const std::string source = "#include \"crash.inc\"\r\nboucle:\r\n\tcall GET_KEY\n\tor a\r\n\tjr z,boucle";
const std::string convertie =
    "#INCLUDE vepbeta.inc\r\nboucle:\r\n        ROM_CALL(GET_KEY)\r\n\tor a\r\n\tjr z,boucle";

const Dossier& avec_la_source(Dossier& dossier)
{
    dossier.ecrire("prog.asm", source);
    return dossier;
}

// A folder holding prog.asm, and the program started there.
struct Seance {
    explicit Seance(Programme::Options options = {}) : programme(avec_la_source(dossier), options) {}
    Dossier dossier;
    Programme programme;
};

// Answers each question once its prompt is there, then waits for the pause.
void construire(Programme& programme, const std::string& sortie, const std::string& base)
{
    const std::pair<std::string, std::string> questions[] = {
        {question_source, "prog.asm"}, {question_sortie, sortie}, {question_base, base}};
    for (const auto& [question, reponse] : questions) {
        ASSERT_TRUE(programme.attendre(question));
        programme.ecrire(reponse + "\n");
    }
    ASSERT_TRUE(programme.attendre(appuyez));
}

// Sends `nom` to the question that waits, and expects `reponse`, then the same question.
void refuser(Programme& programme, const std::string& nom, const std::string& reponse,
             const std::string& question)
{
    programme.ecrire(nom + "\n");
    EXPECT_TRUE(programme.attendre(reponse + question)) << nom;
}

} // namespace

TEST(Dialogue, ConvertitPuisConstruitDansLOrdre)
{
    Seance s;
    s.dossier.ecrire("nouveau.asm", std::string(10000, 'z'));
    s.dossier.ecrire("VEP.bat", std::string(10000, 'z'));
    construire(s.programme, "nouveau.asm", "nouveau");
    EXPECT_TRUE(s.programme.attend_encore(300)) << "the pause must wait for a key";
    s.programme.ecrire("x");
    EXPECT_EQ(s.programme.statut(), 0);

    const std::string ici = std::filesystem::canonical(s.dossier.chemin()).string();
    EXPECT_EQ(s.programme.console(), question_source + question_sortie + question_base + "\n" + ici +
                                         ">tasm -b -80  -r16 nouveau.asm \n\n" + ici +
                                         ">KORVEX_modified_for_VEP.EXE nouveau.OBJ\n" + fin + appuyez + "\n");
    EXPECT_EQ(s.dossier.lire("nouveau.asm"), convertie);
    EXPECT_EQ(s.dossier.lire("vu_par_tasm"), convertie);
    EXPECT_EQ(s.dossier.lire("VEP.bat"),
              "tasm -b -80  -r16 nouveau.asm \r\nKORVEX_modified_for_VEP.EXE nouveau.OBJ");
    EXPECT_EQ(s.dossier.lire("appels"), "tasm [-b] [-80] [-r16] [nouveau.asm]\n"
                                        "KORVEX_modified_for_VEP.EXE [nouveau.OBJ]\n");
    EXPECT_EQ(s.dossier.lire("prog.asm"), source);
}

TEST(Dialogue, LesNomsVontTelsQuelsAuxOutilsSansShell)
{
    Seance s;
    construire(s.programme, "x;touch${IFS}P", "b$(touch${IFS}Q)");
    s.programme.fermer_entree();
    EXPECT_EQ(s.programme.statut(), 0);
    EXPECT_EQ(s.dossier.lire("appels"), "tasm [-b] [-80] [-r16] [x;touch${IFS}P]\n"
                                        "KORVEX_modified_for_VEP.EXE [b$(touch${IFS}Q).OBJ]\n");
    EXPECT_FALSE(s.dossier.existe("P") || s.dossier.existe("Q"));
}

TEST(Dialogue, RedemandeLaSourceJusquAUnNomQuiSOuvre)
{
    Seance s;
    std::filesystem::create_directory(s.dossier.chemin("dossier.asm"));
    ASSERT_TRUE(s.programme.attendre(question_source));
    for (const char* nom : {"absent.asm", "PROG.ASM", "dossier.asm"})
        refuser(s.programme, nom, absent, question_source);
    refuser(s.programme, std::string(32, 'n'), trop_long, question_source);
    refuser(s.programme, "VEP.bat", reserve, question_source);
    // Two words on one line: the second answers the next question.
    s.programme.ecrire("encore.asm prog.asm nouveau.asm\n");
    ASSERT_TRUE(s.programme.attendre(absent + question_source + question_sortie + question_base));
    s.programme.fermer_entree();
    EXPECT_EQ(s.programme.statut(), 1);
    EXPECT_EQ(s.dossier.lire("nouveau.asm"), convertie);
}

TEST(Dialogue, RedemandeUneSortieQuiNePeutPasEtreEcrite)
{
    Seance s;
    Dossier& d = s.dossier;
    std::filesystem::create_directory(d.chemin("sous"));
    std::filesystem::create_hard_link(d.chemin("prog.asm"), d.chemin("dur.asm"));
    std::filesystem::create_symlink("prog.asm", d.chemin("lien.asm"));
    ASSERT_TRUE(s.programme.attendre(question_source));
    s.programme.ecrire("prog.asm\n");
    ASSERT_TRUE(s.programme.attendre(question_sortie));
    const std::pair<std::string, std::string> refus[] = {
        {"manque/nouveau.asm", impossible},
        {"sous", impossible},
        {std::string(200, 's'), trop_long},
        {"prog.asm", est_source},
        {"./prog.asm", est_source},
        {"sous/../prog.asm", est_source},
        {d.chemin("prog.asm"), est_source},
        {"dur.asm", est_source},
        {"lien.asm", est_source},
        // VEP.bat does not exist yet: the names are compared as paths.
        {"VEP.bat", reserve},
        {"./VEP.bat", reserve},
        {"sous/../VEP.bat", reserve},
        {d.chemin("VEP.bat"), reserve}};
    for (const auto& [nom, message] : refus)
        refuser(s.programme, nom, message, question_sortie);
    // Once it exists, by identity.
    d.ecrire("VEP.bat", "ancien");
    std::filesystem::create_symlink("VEP.bat", d.chemin("lien.bat"));
    std::filesystem::create_hard_link(d.chemin("VEP.bat"), d.chemin("dur.bat"));
    for (const char* nom : {"VEP.bat", "lien.bat", "dur.bat"})
        refuser(s.programme, nom, reserve, question_sortie);
    s.programme.fermer_entree();
    EXPECT_EQ(s.programme.statut(), 1);
    EXPECT_EQ(d.lire("prog.asm"), source);
    EXPECT_EQ(d.lire("VEP.bat"), "ancien");
    EXPECT_FALSE(d.existe(std::string(31, 's')));
}

TEST(Dialogue, LaFinDeLEntreeAbandonneSansRienLancer)
{
    // What was converted before the end stays complete.
    const std::pair<std::string, std::string> cas[] = {
        {"", ""}, {"prog.asm ", ""}, {"prog.asm nouveau.asm ", convertie}};
    for (const auto& [reponses, nouveau] : cas) {
        Seance s;
        s.programme.ecrire(reponses);
        s.programme.fermer_entree();
        EXPECT_EQ(s.programme.statut(), 1);
        EXPECT_TRUE(s.programme.attendre(abandon));
        EXPECT_FALSE(s.dossier.existe("VEP.bat") || s.dossier.existe("appels"));
        EXPECT_EQ(s.dossier.lire("prog.asm"), source);
        EXPECT_EQ(s.dossier.lire("nouveau.asm"), nouveau);
    }
}

TEST(Dialogue, LesErreursDeFichierArretentToutAvecLeStatut1)
{
    // A full disk, a source that cannot be read, a script that cannot be
    // created (a folder is in the way): nothing is run.
    const std::string cas[][3] = {
        {"prog.asm /dev/full nouveau\n", question_sortie + "erreur d'ecriture du nouveau fichier \n", ""},
        {"/proc/self/mem nouveau.asm nouveau\n", question_sortie + "erreur de lecture du fichier source \n",
         ""},
        {"prog.asm nouveau.asm nouveau\n", question_base + "impossible de creer VEP.bat \n", convertie}};
    for (const auto& [reponses, message, nouveau] : cas) {
        Seance s;
        std::filesystem::create_directory(s.dossier.chemin("VEP.bat"));
        s.programme.ecrire(reponses);
        EXPECT_TRUE(s.programme.attendre(message)) << message;
        EXPECT_EQ(s.programme.statut(), 1);
        EXPECT_FALSE(s.dossier.existe("appels"));
        EXPECT_EQ(s.dossier.lire("nouveau.asm"), nouveau);
    }
}

TEST(Dialogue, UnOutilAbsentNArretePasLeScript)
{
    Programme::Options sans_outils;
    sans_outils.outils = false;
    Seance s(sans_outils);
    construire(s.programme, "nouveau.asm", "base");
    s.programme.fermer_entree();
    EXPECT_EQ(s.programme.statut(), 0);
    const std::string& console = s.programme.console();
    EXPECT_NE(console.find(">tasm -b -80  -r16 nouveau.asm \n'tasm' n'est pas reconnu en tant que commande \n"
                           "\n"),
              std::string::npos);
    EXPECT_NE(console.find(">KORVEX_modified_for_VEP.EXE base.OBJ\n"
                           "'KORVEX_modified_for_VEP.EXE' n'est pas reconnu en tant que commande \n" +
                           fin),
              std::string::npos);
}

TEST(Pause, IgnoreLaFinDeLaLigneDeLaDerniereReponse)
{
    Seance s;
    construire(s.programme, "nouveau.asm", "nouveau et encore des mots");
    EXPECT_TRUE(s.programme.attend_encore(300));
    s.programme.ecrire("\n");
    EXPECT_EQ(s.programme.statut(), 0);
}

TEST(Pause, SurUnTerminalUneToucheSuffitEtLesReglagesReviennent)
{
    for (const char touche : {'x', '\x03'}) {
        Programme::Options sur_terminal;
        sur_terminal.terminal = true;
        Seance s(sur_terminal);
        termios avant, pendant, apres;
        ASSERT_EQ(tcgetattr(s.programme.terminal(), &avant), 0);
        s.programme.ecrire("prog.asm nouveau.asm nouveau\n");
        ASSERT_TRUE(s.programme.attendre(appuyez));
        EXPECT_TRUE(s.programme.attend_encore(300));
        ASSERT_EQ(tcgetattr(s.programme.terminal(), &pendant), 0);
        EXPECT_EQ(pendant.c_lflag & ICANON, 0u);
        s.programme.ecrire(std::string(1, touche));
        EXPECT_EQ(s.programme.statut(), touche == 'x' ? 0 : 128 + SIGINT);
        ASSERT_EQ(tcgetattr(s.programme.terminal(), &apres), 0);
        EXPECT_EQ(apres.c_lflag, avant.c_lflag);
        EXPECT_EQ(apres.c_cc[VMIN], avant.c_cc[VMIN]);
    }
}
