// The built program, run in a folder of its own and answered prompt by prompt.

#include "console/textes.hpp"
#include "platform/interprete.hpp"
#include "programme.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

namespace {

using namespace texte;
using namespace std::string_literals;

const std::string question_base_entiere = annonce_base + std::string(question_base);
const std::string appuyez = "Appuyez sur une touche pour continuer...";

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
        {question_source, "prog.asm"}, {question_sortie, sortie}, {question_base_entiere, base}};
    for (const auto& [question, reponse] : questions) {
        ASSERT_TRUE(programme.attendre(question));
        programme.ecrire(reponse + "\n");
    }
    ASSERT_TRUE(programme.attendre(appuyez));
}

// Each answer in turn, with what the program must say to it.
void repondre(Programme& programme, const std::vector<std::pair<std::string, std::string>>& echanges)
{
    for (const auto& [reponse, dit] : echanges) {
        programme.ecrire(reponse + "\n");
        EXPECT_TRUE(programme.attendre(dit)) << reponse;
    }
}

} // namespace

TEST(Dialogue, ConvertitPuisConstruitDansLOrdre)
{
    // Names of the longest length, with what a shell would interpret.
    const std::string nouveau = "x;touch${IFS}P" + std::string(13, 'n') + ".asm";
    const std::string base = "b$(touch${IFS}Q)" + std::string(15, 'b');
    Seance s;
    s.dossier.ecrire(nouveau, std::string(10000, 'z'));
    s.dossier.ecrire("VEP.bat", std::string(10000, 'z'));
    construire(s.programme, nouveau, base);
    EXPECT_TRUE(s.programme.attend_encore(300)) << "the pause must wait for a key";
    s.programme.ecrire("x");
    EXPECT_EQ(s.programme.statut(), 0);

    const std::string ici = std::filesystem::canonical(s.dossier.chemin()).string();
    EXPECT_EQ(s.programme.console(), question_source + std::string(question_sortie) + question_base_entiere +
                                         "\n" + ici + ">tasm -b -80  -r16 " + nouveau + " \n(tasm)\n\n" +
                                         ici + ">KORVEX_modified_for_VEP.EXE " + base +
                                         ".OBJ\n(KORVEX_modified_for_VEP.EXE)\n" + fin + appuyez + "\n");
    EXPECT_EQ(s.programme.erreurs(), "prog.asm : 2 lignes remplacees, 0 avertissement\n");
    EXPECT_EQ(s.dossier.lire(nouveau), convertie);
    EXPECT_EQ(s.dossier.lire("vu_par_tasm"), convertie);
    EXPECT_EQ(s.dossier.lire("VEP.bat"),
              "tasm -b -80  -r16 " + nouveau + " \r\nKORVEX_modified_for_VEP.EXE " + base + ".OBJ");
    EXPECT_EQ(s.dossier.lire("appels"), "tasm [-b] [-80] [-r16] [" + nouveau + "]\n" +
                                            "KORVEX_modified_for_VEP.EXE [" + base + ".OBJ]\n");
    EXPECT_EQ(s.dossier.lire("prog.asm"), source);
    EXPECT_FALSE(s.dossier.existe("P") || s.dossier.existe("Q"));
}

TEST(Dialogue, RedemandeCeQuiNePeutPasServir)
{
    Seance s;
    Dossier& d = s.dossier;
    std::filesystem::create_directory(d.chemin("sous"));
    std::filesystem::create_directory(d.chemin("dossier.asm"));
    std::filesystem::create_hard_link(d.chemin("prog.asm"), d.chemin("dur.asm"));
    std::filesystem::create_symlink("prog.asm", d.chemin("lien.asm"));
    std::filesystem::create_symlink("VEP.bat", d.chemin("vers_vep.asm"));
    ASSERT_TRUE(s.programme.attendre(question_source));
    const std::string source_encore = question_source, sortie_encore = question_sortie;
    repondre(s.programme,
             {
                 {"absent.asm", fichier_absent + source_encore},
                 {"PROG.ASM", fichier_absent + source_encore},
                 {"dossier.asm", fichier_absent + source_encore},
                 {std::string(32, 'n'), nom_trop_long + source_encore},
                 {"VEP.bat", nom_reserve + source_encore},
                 {"R&D.asm", fichier_absent + source_encore},
                 // NUL separates words; a second word answers the next question.
                 {"encore.asm\0prog.asm manque/nouveau.asm"s,
                  fichier_absent + source_encore + sortie_encore + sortie_impossible + sortie_encore},
                 {"sous", sortie_impossible + sortie_encore},
                 {std::string(200, 's'), nom_trop_long + sortie_encore},
                 {"prog.asm", sortie_est_source + sortie_encore},
                 {"./prog.asm", sortie_est_source + sortie_encore},
                 {"sous/../prog.asm", sortie_est_source + sortie_encore},
                 {d.chemin("prog.asm"), sortie_est_source + sortie_encore},
                 {"dur.asm", sortie_est_source + sortie_encore},
                 {"lien.asm", sortie_est_source + sortie_encore},
                 // VEP.bat does not exist yet: the names are compared as paths.
                 {"VEP.bat", nom_reserve + sortie_encore},
                 {"./VEP.bat", nom_reserve + sortie_encore},
                 {"sous/../VEP.bat", nom_reserve + sortie_encore},
                 {d.chemin("VEP.bat"), nom_reserve + sortie_encore},
                 // A link that leads nowhere yet, but onto VEP.bat once written through.
                 {"vers_vep.asm", nom_reserve + sortie_encore},
                 // The dialogue's own input.
                 {"/dev/stdin", sortie_impossible + sortie_encore},
                 {"/proc/self/fd/0", sortie_impossible + sortie_encore},
                 // What cmd would read in VEP.bat, and bytes nobody sees.
                 {"R&D.asm", caractere_interdit + sortie_encore},
                 {"50%off.asm", caractere_interdit + sortie_encore},
                 {"a|b<c>d^e\"f", caractere_interdit + sortie_encore},
                 {"a\x1A.asm", caractere_interdit + sortie_encore},
                 {"a\x7F.asm", caractere_interdit + sortie_encore},
             });
    // Once it exists, by identity.
    d.ecrire("VEP.bat", "ancien");
    std::filesystem::create_symlink("VEP.bat", d.chemin("lien.bat"));
    std::filesystem::create_hard_link(d.chemin("VEP.bat"), d.chemin("dur.bat"));
    repondre(s.programme, {{"lien.bat", nom_reserve + sortie_encore},
                           {"dur.bat", nom_reserve + sortie_encore},
                           {"nouveau.asm", question_base_entiere},
                           {"x&del,*.asm&rem", caractere_interdit + std::string(question_base)},
                           {"nouveau\x1A", caractere_interdit + std::string(question_base)}});
    s.programme.fermer_entree();
    EXPECT_EQ(s.programme.statut(), 1);
    EXPECT_EQ(d.lire("prog.asm"), source);
    EXPECT_EQ(d.lire("VEP.bat"), "ancien");
    EXPECT_FALSE(d.existe(std::string(31, 's')));
}

TEST(Dialogue, UnVEPbatQuiMeneAuNouveauFichierLeFaitRedemander)
{
    Seance s;
    std::filesystem::create_symlink("nouveau.asm", s.dossier.chemin("VEP.bat"));
    s.programme.ecrire("prog.asm nouveau.asm autre.asm autre\n");
    s.programme.fermer_entree();
    EXPECT_EQ(s.programme.statut(), 0);
    EXPECT_NE(s.programme.console().find(nom_reserve + std::string(question_sortie)), std::string::npos);
    EXPECT_EQ(s.dossier.lire("autre.asm"), convertie);
    // The script goes where the user's link leads, as any program writes.
    EXPECT_EQ(s.dossier.lire("nouveau.asm"),
              "tasm -b -80  -r16 autre.asm \r\nKORVEX_modified_for_VEP.EXE autre.OBJ");
}

TEST(Dialogue, UneFinAvantLaConstructionNeLanceRien)
{
    // The answers, what the console shows, what the new file holds, and
    // whether a folder stands where VEP.bat goes.
    struct Cas {
        std::string reponses, console, nouveau;
        bool dossier_vep = false;
    };
    const std::string sortie = question_source + std::string(question_sortie);
    const Cas tous[] = {
        {"", question_source + std::string(abandon), ""},
        {"prog.asm ", sortie + abandon, ""},
        {"prog.asm nouveau.asm ", sortie + question_base_entiere + abandon, convertie},
        {"prog.asm /dev/full nouveau\n", sortie + erreur_ecriture, ""},
        {"/proc/self/mem nouveau.asm nouveau\n", sortie + erreur_lecture, ""},
        {"prog.asm nouveau.asm nouveau\n", sortie + question_base_entiere + script_impossible, convertie,
         true},
#ifndef __SANITIZE_ADDRESS__ // its allocator aborts rather than fail
        {"/dev/zero nouveau.asm nouveau\n", sortie + memoire_insuffisante, ""},
#endif
    };
    Programme::Options memoire_limitee;
#ifndef __SANITIZE_ADDRESS__
    memoire_limitee.avant = [] {
        const rlimit limite = {256 << 20, 256 << 20};
        setrlimit(RLIMIT_AS, &limite);
    };
#endif
    for (const Cas& c : tous) {
        Seance s(memoire_limitee);
        if (c.dossier_vep)
            std::filesystem::create_directory(s.dossier.chemin("VEP.bat"));
        s.programme.ecrire(c.reponses);
        s.programme.fermer_entree();
        EXPECT_EQ(s.programme.statut(), 1) << c.reponses;
        EXPECT_EQ(s.programme.console(), c.console);
        EXPECT_EQ(s.dossier.existe("VEP.bat"), c.dossier_vep);
        EXPECT_FALSE(s.dossier.existe("appels"));
        EXPECT_EQ(s.dossier.lire("nouveau.asm"), c.nouveau);
        EXPECT_EQ(s.dossier.lire("prog.asm"), source);
    }
}

TEST(Outils, UnEchecEstDitEtLeScriptContinue)
{
    // The two tools (empty: absent), whether the second can be run, and what
    // is said of each; started with SIGCHLD ignored, as a parent may leave it.
    struct Cas {
        std::string tasm, korvex;
        bool korvex_executable;
        std::string dit_tasm, dit_korvex;
    };
    const Cas tous[] = {
        {"", "", true, "'tasm' n'est pas reconnu en tant que commande \n",
         "'KORVEX_modified_for_VEP.EXE' n'est pas reconnu en tant que commande \n"},
        {"#!/bin/sh\nexit 1\n", "#!/bin/sh\nkill -9 $$\n", true, "'tasm' a echoue (code 1) \n",
         "'KORVEX_modified_for_VEP.EXE' a ete arrete (signal 9) \n"},
        // A script without #! line; a file that may not be run.
        {"exit 0\n", "#!/bin/sh\n", false, "'tasm' ne peut pas etre lance \n",
         "'KORVEX_modified_for_VEP.EXE' ne peut pas etre lance \n"},
        // The tools do not have VEP.bat open.
        {"#!/bin/sh\nls -l /proc/$$/fd | grep VEP.bat || true\n", "#!/bin/sh\n", true, "", ""},
    };
    Programme::Options sans_sigchld;
    sans_sigchld.avant = [] { std::signal(SIGCHLD, SIG_IGN); };
    for (const Cas& c : tous) {
        Seance s(sans_sigchld);
        std::filesystem::remove_all(s.dossier.chemin("outils"));
        std::filesystem::create_directory(s.dossier.chemin("outils"));
        if (!c.tasm.empty())
            s.dossier.ecrire("outils/tasm", c.tasm, true);
        if (!c.korvex.empty())
            s.dossier.ecrire("outils/KORVEX_modified_for_VEP.EXE", c.korvex, c.korvex_executable);
        construire(s.programme, "nouveau.asm", "base");
        s.programme.fermer_entree();
        EXPECT_EQ(s.programme.statut(), 0);
        const std::string& console = s.programme.console();
        EXPECT_NE(console.find(">tasm -b -80  -r16 nouveau.asm \n" + c.dit_tasm + "\n"), std::string::npos)
            << console;
        EXPECT_NE(console.find(">KORVEX_modified_for_VEP.EXE base.OBJ\n" + c.dit_korvex + fin),
                  std::string::npos)
            << console;
    }
}

TEST(Outils, UnScriptQuiNeSeLitPasEstDit)
{
    std::FILE* console = std::tmpfile();
    executer_script("/", console); // a folder opens, but cannot be read
    executer_script("/dev/null/x", console);
    executer_script("absent.bat", console);
    std::rewind(console);
    char lu[100] = {};
    EXPECT_EQ(
        std::string(lu, std::fread(lu, 1, sizeof lu, console)),
        "impossible de lire / \nimpossible de lire /dev/null/x \nle script absent.bat est introuvable \n");
    std::fclose(console);
}

TEST(Dialogue, UneConsoleQuiNePeutPasEtreEcriteFaitEchouerLaFin)
{
    // Standard output on a full disk, or closed: the work is done all the same.
    const std::function<void()> consoles[] = {[] { dup2(open("/dev/full", O_WRONLY), 1); },
                                              [] { close(1), close(2); }};
    for (const auto& console : consoles) {
        Programme::Options options;
        options.avant = console;
        Seance s(options);
        s.programme.ecrire("prog.asm nouveau.asm nouveau\n");
        s.programme.fermer_entree();
        EXPECT_EQ(s.programme.statut(), 1);
        EXPECT_EQ(s.dossier.lire("nouveau.asm"), convertie);
        EXPECT_TRUE(s.dossier.existe("appels"));
    }
}

TEST(Pause, AttendUneToucheTapeeApresSonMessage)
{
    // Through a pipe: the rest of the last answer's line is not a key.
    {
        Seance s;
        construire(s.programme, "nouveau.asm", "nouveau et encore des mots");
        EXPECT_TRUE(s.programme.attend_encore(300));
        s.programme.ecrire("\n");
        EXPECT_EQ(s.programme.statut(), 0);
    }
    // On a terminal: one key, whatever bytes it sends, without Enter and
    // without echo; a key typed during the build does not count. The settings
    // come back, whatever signal ends the program; a stop puts them back
    // until the program goes on.
    const std::tuple<std::string, int, int> cas[] = {{"x", 0, 0},
                                                     {"\x1b[A", 0, 0},
                                                     {"\x03", 0, 128 + SIGINT},
                                                     {"", SIGPIPE, 128 + SIGPIPE},
                                                     {"", SIGALRM, 128 + SIGALRM},
                                                     {"", SIGUSR1, 128 + SIGUSR1},
                                                     {"", SIGUSR2, 128 + SIGUSR2},
                                                     {"x", SIGTSTP, 0}};
    for (const auto& [touche, signal, statut] : cas) {
        Programme::Options sur_terminal;
        sur_terminal.terminal = true;
        Seance s(sur_terminal);
        termios avant;
        ASSERT_EQ(tcgetattr(s.programme.terminal(), &avant), 0);
        // Whether the terminal is raw, once it is as expected or after two seconds.
        const auto brut = [&](bool attendu) {
            termios t = {};
            for (int i = 0; i < 200 && tcgetattr(s.programme.terminal(), &t) == 0; ++i, usleep(10'000))
                if (((t.c_lflag & (ICANON | ECHO)) == 0) == attendu)
                    return attendu;
            return !attendu;
        };
        s.programme.ecrire("prog.asm nouveau.asm nouveau\nk");
        // The report comes between the conversion and the next question.
        ASSERT_TRUE(s.programme.attendre(question_sortie));
        ASSERT_TRUE(s.programme.attendre("prog.asm : 2 lignes remplacees, 0 avertissement\r\n"));
        ASSERT_TRUE(s.programme.attendre(question_base));
        ASSERT_TRUE(s.programme.attendre(appuyez));
        EXPECT_TRUE(s.programme.attend_encore(300));
        EXPECT_TRUE(brut(true));
        if (signal == SIGTSTP) {
            kill(s.programme.pid(), SIGTSTP);
            EXPECT_FALSE(brut(false));
            kill(s.programme.pid(), SIGCONT);
            EXPECT_TRUE(brut(true));
        } else if (signal != 0) {
            kill(s.programme.pid(), signal);
        }
        s.programme.ecrire(touche);
        EXPECT_EQ(s.programme.statut(), statut) << touche << signal;
        termios apres;
        ASSERT_EQ(tcgetattr(s.programme.terminal(), &apres), 0);
        EXPECT_EQ(apres.c_lflag, avant.c_lflag);
        EXPECT_EQ(apres.c_cc[VMIN], avant.c_cc[VMIN]);
        int reste = -1;
        EXPECT_EQ(ioctl(s.programme.esclave(), FIONREAD, &reste), 0);
        EXPECT_EQ(reste, 0) << "what the key sent is not left for the shell";
    }
}
