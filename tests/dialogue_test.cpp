// The built program, run in a folder of its own and answered prompt by prompt.

#include "programme.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

const std::string question_source = "Nom du fichier asm pour crash ou ash (oubliez pas l'extension *.asm) : ";
const std::string question_sortie = "Nom du nouveau fichier asm pour vep (oubliez pas l'extension *.asm): ";
const std::string question_base = "Entrez maintenant le nom du fichier sans l'extension asm\n"
                                  "Le nom doit etre le meme que celui du fichier pour vep entre plus haut :";
const std::string absent = "ce fichier n'existe pas \n";
const std::string reserve = "ce nom est reserve au script VEP.bat \n";
const std::string est_source = "ce fichier est le fichier source \n";
const std::string impossible = "impossible de creer ce fichier \n";
const std::string abandon = "entree terminee, abandon \n";
const std::string message_pause = "Appuyez sur une touche pour continuer...";

const std::string source = "#include \"crash.inc\"\r\n"
                           "boucle:\r\n"
                           "\tcall GET_KEY\n"
                           "\tor a\r\n"
                           "\tjr z,boucle";
const std::string convertie = "#INCLUDE vepbeta.inc\r\n"
                              "boucle:\r\n"
                              "        ROM_CALL(GET_KEY)\r\n"
                              "\tor a\r\n"
                              "\tjr z,boucle";

// Answers the first question with prog.asm once it is asked, and waits for
// the second.
void donner_la_source(Programme& programme)
{
    ASSERT_TRUE(programme.attendre(question_source));
    programme.ecrire("prog.asm\n");
    ASSERT_TRUE(programme.attendre(question_sortie));
}

// Answers each question once its prompt is there, then waits for the pause.
void construire(Programme& programme, const std::string& sortie, const std::string& base)
{
    donner_la_source(programme);
    programme.ecrire(sortie + "\n");
    ASSERT_TRUE(programme.attendre(question_base));
    programme.ecrire(base + "\n");
    ASSERT_TRUE(programme.attendre(message_pause));
}

// Sends `nom` to the question that is waiting and expects `reponse` and the
// same question again.
void refuser(Programme& programme, const std::string& nom, const std::string& reponse,
             const std::string& question)
{
    programme.ecrire(nom + "\n");
    EXPECT_TRUE(programme.attendre(reponse + question)) << nom;
}

} // namespace

TEST(Dialogue, ConvertitPuisConstruitDansLOrdre)
{
    Dossier dossier;
    dossier.ecrire("prog.asm", source);
    dossier.ecrire("nouveau.asm", std::string(10000, 'z'));
    dossier.ecrire("VEP.bat", std::string(10000, 'z'));
    Programme programme(dossier);
    construire(programme, "nouveau.asm", "nouveau");
    EXPECT_TRUE(programme.attend_encore(300)) << "the pause must wait for a key";
    programme.ecrire("x");
    EXPECT_EQ(programme.statut(), 0);

    const std::string ici = std::filesystem::canonical(dossier.chemin()).string();
    EXPECT_EQ(programme.console(), question_source + question_sortie + question_base + "\n" + ici +
                                       ">tasm -b -80  -r16 nouveau.asm \n\n" + ici +
                                       ">KORVEX_modified_for_VEP.EXE nouveau.OBJ\n"
                                       "\n\n\n Conversion terminee, VEP.bat a ete execute. \n" +
                                       message_pause + "\n");
    EXPECT_EQ(dossier.lire("nouveau.asm"), convertie);
    EXPECT_EQ(dossier.lire("vu_par_tasm"), convertie);
    EXPECT_EQ(dossier.lire("VEP.bat"),
              "tasm -b -80  -r16 nouveau.asm \r\nKORVEX_modified_for_VEP.EXE nouveau.OBJ");
    EXPECT_EQ(dossier.lire("appels"), "tasm [-b] [-80] [-r16] [nouveau.asm]\n"
                                      "KORVEX_modified_for_VEP.EXE [nouveau.OBJ]\n");
    EXPECT_EQ(dossier.lire("prog.asm"), source);
}

TEST(Dialogue, LesNomsVontTelsQuelsDansLeScript)
{
    Dossier dossier;
    dossier.ecrire("prog.asm", source);
    Programme programme(dossier);
    construire(programme, "x;touch${IFS}P", "autre$(touch${IFS}Q)");
    programme.fermer_entree();
    EXPECT_EQ(programme.statut(), 0);
    EXPECT_EQ(dossier.lire("VEP.bat"),
              "tasm -b -80  -r16 x;touch${IFS}P \r\nKORVEX_modified_for_VEP.EXE autre$(touch${IFS}Q).OBJ");
    EXPECT_EQ(dossier.lire("appels"), "tasm [-b] [-80] [-r16] [x;touch${IFS}P]\n"
                                      "KORVEX_modified_for_VEP.EXE [autre$(touch${IFS}Q).OBJ]\n");
    EXPECT_FALSE(dossier.existe("P"));
    EXPECT_FALSE(dossier.existe("Q"));
}

TEST(Dialogue, RedemandeLaSourceJusquAUnNomQuiSOuvre)
{
    Dossier dossier;
    dossier.ecrire("prog.asm", source);
    std::filesystem::create_directory(dossier.chemin("dossier.asm"));
    Programme programme(dossier);
    ASSERT_TRUE(programme.attendre(question_source));
    refuser(programme, "absent.asm", absent, question_source);
    refuser(programme, "PROG.ASM", absent, question_source);
    refuser(programme, "dossier.asm", absent, question_source);
    // Two words on one line: the second answers the next question.
    programme.ecrire("encore.asm prog.asm nouveau.asm\n");
    ASSERT_TRUE(programme.attendre(absent + question_source + question_sortie + question_base));
    programme.fermer_entree();
    EXPECT_EQ(programme.statut(), 1);
    EXPECT_EQ(programme.console(), question_source + absent + question_source + absent + question_source +
                                       absent + question_source + absent + question_source + question_sortie +
                                       question_base + abandon);
    EXPECT_EQ(dossier.lire("nouveau.asm"), convertie);
}

TEST(Dialogue, UnNomDePlusDe31CaracteresEstRedemande)
{
    Dossier dossier;
    const std::string nom31 = std::string(27, 'n') + ".asm";
    dossier.ecrire(nom31, source);
    Programme programme(dossier);
    ASSERT_TRUE(programme.attendre(question_source));
    refuser(programme, "n" + nom31, "nom trop long, 31 caracteres au plus \n", question_source);
    programme.ecrire(nom31 + "\n");
    ASSERT_TRUE(programme.attendre(question_sortie));
    refuser(programme, std::string(200, 's'), "nom trop long, 31 caracteres au plus \n", question_sortie);
    programme.fermer_entree();
    EXPECT_EQ(programme.statut(), 1);
    EXPECT_FALSE(dossier.existe(std::string(200, 's').substr(0, 31)));
}

TEST(Dialogue, LaFinDeLEntreeAbandonneSansRienLancer)
{
    for (int questions_repondues = 0; questions_repondues < 3; ++questions_repondues) {
        Dossier dossier;
        dossier.ecrire("prog.asm", source);
        Programme programme(dossier);
        const char* reponses[] = {"prog.asm ", "nouveau.asm "};
        for (int i = 0; i < questions_repondues; ++i)
            programme.ecrire(reponses[i]);
        programme.fermer_entree();
        EXPECT_EQ(programme.statut(), 1);
        EXPECT_TRUE(programme.attendre(abandon));
        EXPECT_FALSE(dossier.existe("VEP.bat"));
        EXPECT_FALSE(dossier.existe("appels"));
        EXPECT_EQ(dossier.lire("prog.asm"), source);
        if (questions_repondues == 2) {
            EXPECT_EQ(dossier.lire("nouveau.asm"), convertie);
        }
    }
}

TEST(Dialogue, UneSortieImpossibleACreerEstRedemandee)
{
    Dossier dossier;
    dossier.ecrire("prog.asm", source);
    std::filesystem::create_directory(dossier.chemin("dossier"));
    Programme programme(dossier);
    donner_la_source(programme);
    refuser(programme, "manque/nouveau.asm", impossible, question_sortie);
    refuser(programme, "dossier", impossible, question_sortie);
    programme.ecrire("nouveau.asm\n");
    EXPECT_TRUE(programme.attendre(question_base));
}

TEST(Dialogue, LaSortieNePeutPasEtreLaSource)
{
    Dossier dossier;
    dossier.ecrire("prog.asm", source);
    std::filesystem::create_directory(dossier.chemin("sous"));
    std::filesystem::create_hard_link(dossier.chemin("prog.asm"), dossier.chemin("dur.asm"));
    std::filesystem::create_symlink("prog.asm", dossier.chemin("lien.asm"));
    Programme programme(dossier);
    donner_la_source(programme);
    for (const std::string& nom :
         {std::string("prog.asm"), std::string("./prog.asm"), std::string("sous/../prog.asm"),
          dossier.chemin("prog.asm"), std::string("dur.asm"), std::string("lien.asm")})
        refuser(programme, nom, est_source, question_sortie);
    programme.fermer_entree();
    EXPECT_EQ(programme.statut(), 1);
    EXPECT_EQ(dossier.lire("prog.asm"), source);
}

TEST(Dialogue, LeNomDuScriptEstReserve)
{
    Dossier dossier;
    dossier.ecrire("prog.asm", source);
    std::filesystem::create_directory(dossier.chemin("sous"));
    Programme programme(dossier);
    ASSERT_TRUE(programme.attendre(question_source));
    refuser(programme, "VEP.bat", reserve, question_source);
    programme.ecrire("prog.asm\n");
    ASSERT_TRUE(programme.attendre(question_sortie));
    // VEP.bat does not exist yet: the names are compared as paths.
    for (const std::string& nom : {std::string("VEP.bat"), std::string("./VEP.bat"),
                                   std::string("sous/../VEP.bat"), dossier.chemin("VEP.bat")})
        refuser(programme, nom, reserve, question_sortie);
    // Once it exists, as a file.
    dossier.ecrire("VEP.bat", "ancien");
    std::filesystem::create_symlink("VEP.bat", dossier.chemin("lien.asm"));
    std::filesystem::create_hard_link(dossier.chemin("VEP.bat"), dossier.chemin("dur.asm"));
    for (const std::string& nom : {std::string("VEP.bat"), std::string("lien.asm"), std::string("dur.asm")})
        refuser(programme, nom, reserve, question_sortie);
    programme.fermer_entree();
    EXPECT_EQ(programme.statut(), 1);
    EXPECT_EQ(dossier.lire("VEP.bat"), "ancien");
}

TEST(Dialogue, LesErreursDeFichierArretentToutAvecLeStatut1)
{
    struct Cas {
        const char* source;
        const char* sortie;
        const char* message;
    };
    for (const Cas& cas : {Cas{"prog.asm", "/dev/full", "erreur d'ecriture du nouveau fichier \n"},
                           Cas{"/proc/self/mem", "nouveau.asm", "erreur de lecture du fichier source \n"}}) {
        Dossier dossier;
        dossier.ecrire("prog.asm", source);
        Programme programme(dossier);
        programme.ecrire(std::string(cas.source) + " " + cas.sortie + " nouveau\n");
        EXPECT_TRUE(programme.attendre(question_sortie + cas.message)) << cas.message;
        EXPECT_EQ(programme.statut(), 1);
        EXPECT_FALSE(dossier.existe("VEP.bat"));
    }

    Dossier dossier;
    dossier.ecrire("prog.asm", source);
    std::filesystem::create_directory(dossier.chemin("VEP.bat"));
    Programme programme(dossier);
    programme.ecrire("prog.asm nouveau.asm nouveau\n");
    EXPECT_TRUE(programme.attendre(question_base + "impossible de creer VEP.bat \n"));
    EXPECT_EQ(programme.statut(), 1);
    EXPECT_EQ(dossier.lire("nouveau.asm"), convertie);
    EXPECT_FALSE(dossier.existe("appels"));
}

TEST(Dialogue, LEchecDesOutilsNArretePasLaFin)
{
    Dossier dossier;
    dossier.ecrire("prog.asm", source);
    Programme::Options sans_outils;
    sans_outils.outils = false;
    Programme programme(dossier, sans_outils);
    construire(programme, "nouveau.asm", "base");
    programme.fermer_entree();
    EXPECT_EQ(programme.statut(), 0);
    EXPECT_NE(programme.console().find("'tasm' n'est pas reconnu en tant que commande \n"),
              std::string::npos);
    EXPECT_NE(
        programme.console().find(">KORVEX_modified_for_VEP.EXE base.OBJ\n"
                                 "'KORVEX_modified_for_VEP.EXE' n'est pas reconnu en tant que commande \n"),
        std::string::npos);
}

TEST(Pause, IgnoreLaFinDeLaLigneDeLaDerniereReponse)
{
    Dossier dossier;
    dossier.ecrire("prog.asm", source);
    Programme programme(dossier);
    construire(programme, "nouveau.asm", "nouveau et encore des mots");
    EXPECT_TRUE(programme.attend_encore(300));
    programme.ecrire("\n");
    EXPECT_EQ(programme.statut(), 0);
}

TEST(Pause, SurUnTerminalUneToucheSuffitEtLesReglagesReviennent)
{
    for (const char touche : {'x', '\x03'}) {
        Dossier dossier;
        dossier.ecrire("prog.asm", source);
        Programme::Options terminal;
        terminal.terminal = true;
        Programme programme(dossier, terminal);
        termios avant;
        ASSERT_EQ(tcgetattr(programme.terminal(), &avant), 0);
        programme.ecrire("prog.asm nouveau.asm nouveau\n");
        ASSERT_TRUE(programme.attendre(message_pause));
        EXPECT_TRUE(programme.attend_encore(300));
        termios pendant;
        ASSERT_EQ(tcgetattr(programme.terminal(), &pendant), 0);
        EXPECT_EQ(pendant.c_lflag & ICANON, 0u);
        programme.ecrire(std::string(1, touche));
        EXPECT_EQ(programme.statut(), touche == 'x' ? 0 : 128 + SIGINT);
        termios apres;
        ASSERT_EQ(tcgetattr(programme.terminal(), &apres), 0);
        EXPECT_EQ(apres.c_lflag, avant.c_lflag);
        EXPECT_EQ(apres.c_cc[VMIN], avant.c_cc[VMIN]);
    }
}
