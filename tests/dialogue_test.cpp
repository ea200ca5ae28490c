// The built program, run in a folder of its own: whole runs from the data
// file, the runner's own messages, and the pause.

#include "cas.hpp"
#include "console/script.hpp"
#include "console/textes.hpp"
#include "platform/interprete.hpp"
#include "programme.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

const char appuyez[] = "Appuyez sur une touche pour continuer...";

const char source[] = "#include \"crash.inc\"\r\nboucle:\r\n\tcall GET_KEY\n\tor a\r\n\tjr z,boucle";

} // namespace

TEST(Dialogue, SeancesDuFichier)
{
    for (const Cas& c : lire_cas(CAS "/dialogues.txt", {"lancer"}, {SOURCES "/console/textes.hpp"})) {
#ifdef __SANITIZE_ADDRESS__ // ulimit -v stops it, and its allocator aborts rather than fail
        if (c["lancer"].find("ulimit -v") != std::string::npos)
            continue;
#endif
        Programme::Options options{false, {"bash", "-c", c["lancer"]}};
        Seance s(source, options);
        s.programme.ecrire(c["reponses"]);
        s.programme.fermer_entree();
        const int statut = s.programme.statut();
        std::string console = s.programme.console();
        const std::string ici = std::filesystem::canonical(s.dossier.chemin()).string();
        for (std::size_t p; (p = console.find(ici)) != std::string::npos;)
            console.replace(p, ici.size(), "@");
        const std::string ligne = "dialogues.txt:" + std::to_string(c.ligne);
        EXPECT_EQ(console, c["sortie"]) << ligne;
        EXPECT_EQ(s.programme.erreurs(), c["erreurs"]) << ligne;
        EXPECT_EQ(statut, std::stoi("0" + c["statut"])) << ligne;
        if (c.champs.count("puis") > 0) {
            options.commande = {"bash", "-c", c["puis"]};
            Programme verification(s.dossier, options);
            EXPECT_EQ(verification.statut(), 0) << ligne;
            EXPECT_EQ(verification.console(), c["donne"]) << ligne;
        }
    }
}

TEST(Script, PorteDesNomsDeToutesLongueursEtSeLitOuLeDit)
{
    // Typed names have 31 characters at most, but the lines do not count on
    // it. A script that cannot be read is told, and fails.
    const Dossier dossier;
    const std::filesystem::path ici = std::filesystem::current_path();
    std::filesystem::current_path(dossier.chemin());
    const std::string nom(200, 'n');
    EXPECT_TRUE(ecrire_script(nom + ".asm", nom));
    std::filesystem::current_path(ici);
    EXPECT_EQ(dossier.lire("VEP.bat"),
              "tasm -b -80  -r16 " + nom + ".asm \r\nKORVEX_modified_for_VEP.EXE " + nom + ".OBJ");
    char lu[100] = {};
    std::FILE* console = fmemopen(lu, sizeof lu, "w");
    for (const char* nom : {"/", "absent.bat"}) // a folder opens, but cannot be read
        EXPECT_FALSE(executer_script(nom, console)) << nom;
    std::fclose(console);
    EXPECT_STREQ(lu, "impossible de lire / \nle script absent.bat est introuvable \n");
}

namespace {

// Whether the terminal of `s` is raw, once it is as expected or after two seconds.
bool brut(Seance& s, bool attendu)
{
    termios t = {};
    for (int i = 0; i < 200 && tcgetattr(s.programme.terminal(), &t) == 0; ++i) {
        if (((t.c_lflag & (ICANON | ECHO)) == 0) == attendu)
            return attendu;
        usleep(10'000);
    }
    return !attendu;
}

// Stops the program (Ctrl-Z), sees its terminal given back, lets it go on.
void arreter(Seance& s)
{
    kill(s.programme.pid(), SIGTSTP);
    EXPECT_FALSE(brut(s, false));
    kill(s.programme.pid(), SIGCONT);
}

} // namespace

TEST(Pause, SurUnTerminal)
{
    setenv("REPRISE_TEMOIN", REPRISE_TEMOIN, 1);
    const char rapport[] = "prog.asm : 2 lignes remplacees, 0 avertissement\r\n";
    for (const Cas& c : lire_cas(CAS "/pauses.txt", {"lancer"})) {
        const std::string commande = c["lancer"], ligne = "pauses.txt:" + std::to_string(c.ligne);
        const int signal = std::stoi("0" + c["signal"]), apres = !c["apres"].empty();
        Seance s(source, {true, {"bash", "-c", commande}});
        termios initiaux, finaux;
        ASSERT_EQ(tcgetattr(s.programme.terminal(), &initiaux), 0);
        s.programme.ecrire("prog.asm nouveau.asm nouveau\nk");
        // The report, on standard error, comes between the conversion and the next question.
        const bool console = commande.find('>') == std::string::npos;
        for (const char* texte : {texte::question_sortie, rapport, texte::question_base, appuyez})
            if (console || texte == rapport) {
                ASSERT_TRUE(s.programme.attendre(texte)) << ligne;
            }
        EXPECT_TRUE(s.programme.attend_encore(300)) << ligne;
        EXPECT_TRUE(brut(s, true));
        if (signal == SIGTSTP && !apres) {
            arreter(s);
            EXPECT_TRUE(brut(s, true));
        } else if (signal != 0 && !apres) {
            kill(s.programme.pid(), signal);
        }
        const std::size_t vu = s.programme.console().size();
        s.programme.ecrire(c["touche"]);
        if (apres) {
            usleep(20'000); // within the tenth of a second that gathers the key's bytes
            arreter(s);
        }
        EXPECT_EQ(s.programme.statut(), std::stoi("0" + c["statut"])) << ligne;
        EXPECT_EQ(s.programme.console().find('x', vu), std::string::npos) << ligne << ": echo";
        int reste = -1; // what the key sent and the program left for the shell
        ASSERT_EQ(tcgetattr(s.programme.terminal(), &finaux) | ioctl(s.programme.esclave(), FIONREAD, &reste),
                  0);
        EXPECT_TRUE(finaux.c_lflag == initiaux.c_lflag && finaux.c_cc[VMIN] == initiaux.c_cc[VMIN]) << ligne;
        EXPECT_EQ(reste, 0) << ligne;
    }
}
