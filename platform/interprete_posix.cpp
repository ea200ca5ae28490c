#include "platform/interprete.hpp"

#include "platform/console.hpp"
#include "platform/lisible.hpp"
#include "platform/texte_dos.hpp"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

namespace {

// What cmd says, as a French Windows words it.
namespace cmd {
constexpr char inconnu[] = "'%s' n'est pas reconnu en tant que commande \n";
constexpr char non_lance[] = "'%s' ne peut pas etre lance \n";
constexpr char echec[] = "'%s' a echoue (code %d) \n";
constexpr char arret[] = "'%s' a ete arrete (signal %d) \n";
constexpr char script_absent[] = "le script %s est introuvable \n";
constexpr char script_illisible[] = "impossible de lire %s \n";
} // namespace cmd

// A script line is a program and its arguments separated by blanks and tabs;
// nothing in it is interpreted.
std::vector<std::string> mots_de(std::string_view ligne)
{
    std::vector<std::string> mots;
    std::string_view::size_type debut = 0;
    while ((debut = ligne.find_first_not_of(" \t\n", debut)) != std::string_view::npos) {
        const std::string_view::size_type fin = std::min(ligne.find_first_of(" \t\n", debut), ligne.size());
        mots.emplace_back(ligne.substr(debut, fin - debut));
        debut = fin;
    }
    return mots;
}

// The first line of `lignes` as LecteurDos gives them, line end included.
std::string_view premiere_ligne(std::string_view lignes)
{
    const std::size_t lf = lignes.find('\n');
    return lf == std::string_view::npos ? lignes : lignes.substr(0, lf + 1);
}

// `ligne` as read in text mode: its CR LF line end becomes one LF.
void decoder_ligne(std::string_view ligne, std::string& texte)
{
    texte.assign(ligne);
    const std::size_t n = texte.size();
    if (n >= 2 && texte[n - 2] == '\r' && texte[n - 1] == '\n')
        texte.erase(n - 2, 1);
}

// Shows the line as the interpreter echoes it: a blank line, then the current
// folder as a prompt before the command.
void montrer(std::string_view ligne, std::FILE* console)
{
    if (!ligne.empty() && ligne.back() == '\n')
        ligne.remove_suffix(1);
    std::vector<char> dossier(4096);
    if (getcwd(dossier.data(), dossier.size()) == nullptr)
        dossier[0] = '\0';
    // Names may hold escape sequences that would retitle or clear the terminal.
    std::fprintf(console, "\n%s>%s\n", lisible(dossier.data(), false).c_str(), lisible(ligne, false).c_str());
}

// The signals that the tools find at their default action, whatever this
// program does with them: it ignores those that report a failed write.
struct Lancement {
    Lancement()
    {
        sigset_t signaux;
        sigemptyset(&signaux);
        sigaddset(&signaux, SIGPIPE);
        sigaddset(&signaux, SIGXFSZ);
        posix_spawnattr_init(&attributs);
        posix_spawnattr_setsigdefault(&attributs, &signaux);
        posix_spawnattr_setflags(&attributs, POSIX_SPAWN_SETSIGDEF);
    }
    ~Lancement() { posix_spawnattr_destroy(&attributs); }
    posix_spawnattr_t attributs;
};

// Runs the command `mots`; true if it ended with status 0.
bool executer(std::vector<std::string>& mots, std::FILE* console)
{
    std::vector<char*> arguments;
    for (std::string& mot : mots)
        arguments.push_back(mot.data());
    arguments.push_back(nullptr);

    std::fflush(console);
    pid_t enfant;
    const Lancement lancement;
    const int erreur =
        posix_spawnp(&enfant, arguments[0], nullptr, &lancement.attributs, arguments.data(), environ);
    if (erreur != 0) {
        std::fprintf(console, erreur == ENOENT ? cmd::inconnu : cmd::non_lance, arguments[0]);
        return false;
    }
    int etat = 0;
    pid_t fini;
    while ((fini = waitpid(enfant, &etat, 0)) < 0 && errno == EINTR) {
    }
    if (fini < 0) // how it ended is unknown: not a success
        return false;
    if (WIFEXITED(etat) && WEXITSTATUS(etat) != 0)
        std::fprintf(console, cmd::echec, arguments[0], WEXITSTATUS(etat));
    else if (WIFSIGNALED(etat))
        std::fprintf(console, cmd::arret, arguments[0], WTERMSIG(etat));
    return WIFEXITED(etat) && WEXITSTATUS(etat) == 0;
}

// One byte of standard input, read past the C library's buffer: what the
// dialogue has read ahead does not count as a key. False at the end of input.
bool lire_octet(std::FILE* entree)
{
    char octet;
    ssize_t lu;
    while ((lu = read(fileno(entree), &octet, 1)) < 0 && (errno == EINTR || attendre_entree(entree))) {
    }
    return lu == 1;
}

// Reads what the terminal receives until it stays silent for a tenth of a
// second: the other bytes of a key.
void lire_suite(int terminal)
{
    pollfd attente = {terminal, POLLIN, 0};
    for (;;) {
        const int pret = poll(&attente, 1, 100);
        char suite[64];
        const ssize_t lu = pret > 0 ? read(terminal, suite, sizeof suite) : -1;
        if (pret == 0 || lu == 0 || (lu < 0 && errno != EINTR && errno != EAGAIN))
            return;
    }
}

// The terminal, and its settings as they were and while a key is awaited, for
// the signal handlers: a handler can reach nothing but statics.
int terminal = -1;
struct termios reglages_terminal, reglages_bruts;

// The signals whose default action ends the program, then those that stop
// and continue it.
const int signaux[] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGALRM, SIGUSR1, SIGUSR2, SIGTSTP, SIGCONT};

extern "C" void restaurer_puis_agir(int signal)
{
    // The code it interrupts may be about to read errno.
    const int erreur = errno;
    tcsetattr(terminal, TCSANOW, signal == SIGCONT ? &reglages_bruts : &reglages_terminal);
    if (signal == SIGCONT) {
        errno = erreur;
        return;
    }
    // The default action, at once: the end of the program, or a stop until SIGCONT.
    struct sigaction defaut = {}, reprise = {};
    defaut.sa_handler = SIG_DFL;
    sigaction(signal, &defaut, &reprise);
    sigset_t seul;
    sigemptyset(&seul);
    sigaddset(&seul, signal);
    sigprocmask(SIG_UNBLOCK, &seul, nullptr);
    std::raise(signal);
    sigaction(signal, &reprise, nullptr);
    errno = erreur;
}

// One key press on the terminal, without Enter and without echo; keys typed
// before the call are dropped, and so are the other bytes that one key sends
// (arrows, function keys). The terminal's settings are put back afterwards,
// also when a signal ends or stops the program meanwhile; signals that the
// program was started with ignored stay ignored.
void lire_touche(std::FILE* entree)
{
    terminal = fileno(entree);
    if (tcgetattr(terminal, &reglages_terminal) != 0) {
        lire_octet(entree);
        return;
    }
    // Both settings are ready before a handler may apply them: zeroed ones
    // would set the line's speed to 0, which hangs a real terminal up.
    reglages_bruts = reglages_terminal;
    reglages_bruts.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    reglages_bruts.c_cc[VMIN] = 1;
    reglages_bruts.c_cc[VTIME] = 0;
    struct sigaction restauration = {};
    restauration.sa_handler = restaurer_puis_agir;
    sigemptyset(&restauration.sa_mask);
    sigset_t tous, avant;
    sigemptyset(&tous);
    struct sigaction anciennes[std::size(signaux)];
    for (std::size_t i = 0; i < std::size(signaux); ++i) {
        sigaddset(&tous, signaux[i]);
        sigaction(signaux[i], nullptr, &anciennes[i]);
        if (anciennes[i].sa_handler != SIG_IGN)
            sigaction(signaux[i], &restauration, nullptr);
    }
    tcsetattr(terminal, TCSAFLUSH, &reglages_bruts);
    if (lire_octet(entree))
        lire_suite(terminal);

    // Held until the old actions are back: a SIGCONT in between would make
    // the terminal raw again, for good.
    sigprocmask(SIG_BLOCK, &tous, &avant);
    tcsetattr(terminal, TCSANOW, &reglages_terminal);
    for (std::size_t i = 0; i < std::size(signaux); ++i)
        sigaction(signaux[i], &anciennes[i], nullptr);
    sigprocmask(SIG_SETMASK, &avant, nullptr);
}

} // namespace

bool lu_comme_option(std::string_view mot)
{
    return !mot.empty() && mot[0] == '-';
}

bool executer_script(const char* nom, std::FILE* console)
{
    // A parent that ignored SIGCHLD would take the tools' exit statuses away.
    std::signal(SIGCHLD, SIG_DFL);
    // Close-on-exec: the tools do not inherit the script.
    std::FILE* script = std::fopen(nom, "rbe");
    if (script == nullptr) {
        std::fprintf(console, errno == ENOENT ? cmd::script_absent : cmd::script_illisible, nom);
        return false;
    }
    LecteurDos lecteur(script);
    std::string_view lignes;
    std::string ligne;
    bool reussi = true;
    while (lecteur.lire_lignes(lignes)) {
        while (!lignes.empty()) {
            const std::string_view brute = premiere_ligne(lignes);
            lignes.remove_prefix(brute.size());
            decoder_ligne(brute, ligne);
            std::vector<std::string> mots = mots_de(ligne);
            if (mots.empty())
                continue;
            montrer(ligne, console);
            reussi = executer(mots, console) && reussi;
        }
    }
    if (lecteur.erreur())
        std::fprintf(console, cmd::script_illisible, nom);
    std::fclose(script);
    return reussi && !lecteur.erreur();
}

void attendre_touche(std::FILE* entree, std::FILE* console)
{
    std::fputs(message_pause, console);
    std::fflush(console);
    if (isatty(fileno(entree)))
        lire_touche(entree);
    else
        lire_octet(entree);
    std::fputs("\n", console);
    std::fflush(console);
}
