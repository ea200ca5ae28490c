// The built program in a folder of its own, one test per case: the whole runs
// of cas/dialogues.txt, the pauses of cas/pauses.txt; the runner's messages.

#include "cas.hpp"
#include "console/script.hpp"
#include "platform/interprete.hpp"
#include "programme.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

const char source[] = "#include \"crash.inc\"\r\nboucle:\r\n\tcall GET_KEY\n\tor a\r\n\tjr z,boucle";

class Dialogues : public testing::TestWithParam<Cas> {};

TEST_P(Dialogues, DonneLaSeanceDuCas)
{
    const Cas& c = GetParam();
#ifdef __SANITIZE_ADDRESS__ // ulimit -v stops it, and its allocator aborts rather than fail
    if (c["lancer"].find("ulimit -v") != std::string::npos)
        GTEST_SKIP();
#endif
    const Dossier dossier(source);
    Programme programme(dossier, {false, c["lancer"]});
    programme.ecrire(c["reponses"]);
    programme.fermer_entree();
    EXPECT_EQ(programme.statut(), std::stoi("0" + c["statut"]));
    EXPECT_EQ(dossier.sans_chemin(programme.console()), c["sortie"]);
    EXPECT_EQ(programme.erreurs(), c["erreurs"]);
    Programme puis(dossier, {false, c["puis"]});
    EXPECT_EQ(puis.statut(), 0);
    EXPECT_EQ(puis.console(), c["donne"]);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, Dialogues,
    testing::ValuesIn(lire_cas(CAS "/dialogues.txt", {"lancer"},
                               {SOURCES "/console/textes.hpp", SOURCES "/platform/interprete.hpp"})),
    [](const testing::TestParamInfo<Cas>& cas) { return "ligne_" + std::to_string(cas.param.ligne); });

} // namespace

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
    EXPECT_FALSE(executer_script("/", console)); // a folder opens, but cannot be read
    EXPECT_FALSE(executer_script("absent.bat", console));
    std::fclose(console);
    EXPECT_STREQ(lu, "impossible de lire / \nle script absent.bat est introuvable \n");
}

namespace {

// Whether the terminal of `p` is raw, once it is as expected or after two seconds.
bool brut(Programme& p, bool attendu)
{
    termios t = {};
    for (int i = 0; i < 200 && tcgetattr(p.terminal(), &t) == 0; ++i) {
        if (((t.c_lflag & (ICANON | ECHO)) == 0) == attendu)
            return attendu;
        usleep(10'000);
    }
    return !attendu;
}

// Stops the program (Ctrl-Z), sees its terminal given back, lets it go on.
void arreter(Programme& p)
{
    kill(p.pid(), SIGTSTP);
    EXPECT_FALSE(brut(p, false));
    kill(p.pid(), SIGCONT);
}

class Pauses : public testing::TestWithParam<Cas> {};

TEST_P(Pauses, RendLeTerminalCommeIlEtait)
{
    const Cas& c = GetParam();
    setenv("REPRISE_TEMOIN", REPRISE_TEMOIN, 1);
    const int avant = std::stoi("0" + c["signal"]);
    const Dossier dossier(source);
    Programme p(dossier, {true, c["lancer"]});
    termios initiaux, finaux;
    ASSERT_EQ(tcgetattr(p.terminal(), &initiaux), 0);
    p.ecrire("prog.asm nouveau.asm nouveau\nk");
    // The report is on the terminal, whatever standard output is; then the
    // pause makes the terminal raw, and waits.
    ASSERT_TRUE(p.attendre("prog.asm : 2 lignes remplacees, 0 avertissement\r\n"));
    EXPECT_TRUE(brut(p, true));
    EXPECT_TRUE(p.attend_encore(300));
    if (avant == SIGTSTP) {
        arreter(p);
        EXPECT_TRUE(brut(p, true));
    } else if (avant != 0) {
        kill(p.pid(), avant);
    }
    const std::size_t vu = p.console().size();
    p.ecrire(c["touche"]);
    if (!c["apres"].empty()) {
        usleep(20'000); // within the tenth of a second that gathers the key's bytes
        arreter(p);
    }
    EXPECT_EQ(p.statut(), std::stoi("0" + c["statut"]));
    EXPECT_EQ(p.console().find('x', vu), std::string::npos) << "echo";
    int reste = -1; // what the key sent and the program left for the shell
    ASSERT_EQ(tcgetattr(p.terminal(), &finaux) | ioctl(p.esclave(), FIONREAD, &reste), 0);
    EXPECT_TRUE(finaux.c_lflag == initiaux.c_lflag && finaux.c_cc[VMIN] == initiaux.c_cc[VMIN]);
    EXPECT_EQ(reste, 0);
}

INSTANTIATE_TEST_SUITE_P(Terminal, Pauses, testing::ValuesIn(lire_cas(CAS "/pauses.txt", {"nom", "lancer"})),
                         [](const testing::TestParamInfo<Cas>& cas) { return cas.param["nom"]; });

} // namespace
