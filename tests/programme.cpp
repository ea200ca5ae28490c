#include "programme.hpp"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char outil[] =
    "#!/bin/sh\n"
    "n=$(basename \"$0\"); printf '(%s)\\n' \"$n\" 2> /dev/null; printf %s \"$n\" >> appels\n"
    "for a; do printf ' [%s]' \"$a\" >> appels; d=$a; done; printf '\\n' >> appels\n"
    "case $0 in *tasm) head -c 1048576 -- \"$d\" > vu_par_tasm ;; esac\n";

// In the child: the script on `entree`, `sortie` and `erreurs` in `dossier`, never returns.
[[noreturn]] void lancer(int entree, int sortie, int erreurs, const Dossier& dossier,
                         const Programme::Options& options)
{
    const int flux[] = {entree, sortie, erreurs};
    for (int i = 0; i < 3; ++i)
        dup2(flux[i], i);
    std::signal(SIGPIPE, SIG_DFL); // as a shell starts it

    if (chdir(dossier.chemin().c_str()) != 0)
        _exit(126);
    setenv("PATH", (dossier.chemin("outils") + ":" + std::getenv("PATH")).c_str(), 1);
    setenv("CRASH2VEP", CRASH2VEP, 1);
    execlp("bash", "bash", "-c", options.script.c_str(), nullptr);
    _exit(127);
}

} // namespace

Dossier::Dossier(std::string_view source)
{
    chemin_ = (std::filesystem::temp_directory_path() / "crash2vep-XXXXXX").string();
    if (mkdtemp(chemin_.data()) == nullptr)
        throw std::runtime_error("mkdtemp");
    std::filesystem::create_directory(chemin("outils"));
    for (const char* nom : {"outils/tasm", "outils/KORVEX_modified_for_VEP.EXE"}) {
        ecrire(nom, outil);
        std::filesystem::permissions(chemin(nom), std::filesystem::perms::owner_all);
    }
    ecrire("prog.asm", source);
}

Dossier::~Dossier()
{
    std::error_code ignoree;
    std::filesystem::remove_all(chemin_, ignoree);
}

std::string Dossier::chemin(std::string_view nom) const
{
    return nom.empty() ? chemin_ : chemin_ + "/" + std::string(nom);
}

void Dossier::ecrire(std::string_view nom, std::string_view octets) const
{
    std::ofstream(chemin(nom), std::ios::binary)
        .write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

std::string Dossier::lire(std::string_view nom) const
{
    std::ifstream fichier(chemin(nom), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(fichier), {});
}

std::string Dossier::sans_chemin(std::string texte) const
{
    const std::string ici = std::filesystem::canonical(chemin_).string();
    std::string windows = "Z:" + ici;
    std::replace(windows.begin(), windows.end(), '/', '\\');
    for (const std::string& nom : {ici, windows})
        for (std::size_t p; (p = texte.find(nom)) != std::string::npos;)
            texte.replace(p, nom.size(), "@");
    return texte;
}

Programme::Programme(const Dossier& dossier, Options options)
{
    // A program that ended early makes writing to it fail, not the tests.
    std::signal(SIGPIPE, SIG_IGN);
    if (options.terminal) {
        // The terminal becomes the program's controlling terminal, so that
        // Ctrl-C typed on it interrupts the program.
        lecture_ = ecriture_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (lecture_ < 0 || grantpt(lecture_) != 0 || unlockpt(lecture_) != 0)
            throw std::runtime_error("pseudo-terminal");
        const std::string esclave = ptsname(lecture_);
        esclave_ = open(esclave.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        enfant_ = fork();
        if (enfant_ == 0) {
            setsid();
            const int terminal = open(esclave.c_str(), O_RDWR);
            ioctl(terminal, TIOCSCTTY, 0);
            lancer(terminal, terminal, terminal, dossier, options);
        }
    } else {
        int entree[2], sortie[2], erreurs[2];
        if (pipe2(entree, O_CLOEXEC) != 0 || pipe2(sortie, O_CLOEXEC) != 0 || pipe2(erreurs, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        enfant_ = fork();
        if (enfant_ == 0)
            lancer(entree[0], sortie[1], erreurs[1], dossier, options);
        for (int extremite : {entree[0], sortie[1], erreurs[1]})
            close(extremite);
        ecriture_ = entree[1];
        lecture_ = sortie[0];
        lecture_erreurs_ = erreurs[0];
    }
    for (int descripteur : {lecture_, lecture_erreurs_})
        fcntl(descripteur, F_SETFL, fcntl(descripteur, F_GETFL) | O_NONBLOCK);
}

Programme::~Programme()
{
    if (statut_ < 0) {
        kill(enfant_, SIGKILL);
        waitpid(enfant_, nullptr, 0);
    }
    for (int descripteur : {ecriture_ != lecture_ ? ecriture_ : -1, lecture_, esclave_, lecture_erreurs_})
        if (descripteur >= 0)
            close(descripteur);
}

bool Programme::lire(int millisecondes)
{
    pollfd attente[] = {{lecture_, POLLIN, 0}, {lecture_erreurs_, POLLIN, 0}};
    bool lu = false;
    if (poll(attente, lecture_erreurs_ >= 0 ? 2 : 1, millisecondes) > 0) {
        for (auto [descripteur, texte] :
             {std::pair{lecture_, &console_}, std::pair{lecture_erreurs_, &erreurs_}}) {
            char bloc[4096];
            const ssize_t n = descripteur >= 0 ? read(descripteur, bloc, sizeof bloc) : 0;
            if (n > 0)
                texte->append(bloc, static_cast<std::size_t>(n));
            lu = lu || n > 0;
        }
    }
    return lu;
}

bool Programme::attendre(std::string_view texte)
{
    const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(delai_ms);
    for (;;) {
        const std::size_t trouve = console_.find(texte, vu_);
        if (trouve != std::string::npos) {
            vu_ = trouve + texte.size();
            return true;
        }
        if (std::chrono::steady_clock::now() > limite || (!lire(100) && !attend_encore(0)))
            return false;
    }
}

void Programme::ecrire(std::string_view texte)
{
    if (write(ecriture_, texte.data(), texte.size()) != static_cast<ssize_t>(texte.size()))
        throw std::runtime_error("write");
}

bool Programme::attend_encore(int millisecondes)
{
    const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(millisecondes);
    do {
        int etat;
        if (statut_ < 0 && waitpid(enfant_, &etat, WNOHANG) == enfant_) {
            statut_ = WIFEXITED(etat) ? WEXITSTATUS(etat) : 128 + WTERMSIG(etat);
            while (lire(100)) {
            }
        }
        if (statut_ >= 0)
            return false;
        lire(10);
    } while (std::chrono::steady_clock::now() < limite);
    return true;
}
