#include "programme.hpp"

#include <cerrno>
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

constexpr int delai_ms = 10'000;

const char outil[] = "#!/bin/sh\n"
                     "printf '%s' \"$(basename \"$0\")\" >> appels\n"
                     "for argument; do printf ' [%s]' \"$argument\" >> appels; dernier=$argument; done\n"
                     "printf '\\n' >> appels\n"
                     "case $0 in *tasm) cp -- \"$dernier\" vu_par_tasm ;; esac\n";

void ecrire_fichier(const std::string& chemin, std::string_view octets)
{
    std::ofstream(chemin, std::ios::binary).write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

} // namespace

Dossier::Dossier()
{
    std::string modele = (std::filesystem::temp_directory_path() / "crash2vep-XXXXXX").string();
    if (mkdtemp(modele.data()) == nullptr)
        throw std::runtime_error("mkdtemp");
    chemin_ = modele;
    std::filesystem::create_directory(chemin("outils"));
    for (const char* nom : {"outils/tasm", "outils/KORVEX_modified_for_VEP.EXE"}) {
        ecrire(nom, outil);
        std::filesystem::permissions(chemin(nom), std::filesystem::perms::owner_all);
    }
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
    ecrire_fichier(chemin(nom), octets);
}

std::string Dossier::lire(std::string_view nom) const
{
    std::ifstream fichier(chemin(nom), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(fichier), {});
}

bool Dossier::existe(std::string_view nom) const
{
    return std::filesystem::exists(std::filesystem::symlink_status(chemin(nom)));
}

Programme::Programme(const Dossier& dossier, Options options)
{
    int entree[2], sortie[2];
    int esclave = -1;
    if (options.terminal) {
        lecture_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (lecture_ < 0 || grantpt(lecture_) != 0 || unlockpt(lecture_) != 0)
            throw std::runtime_error("pseudo-terminal");
        ecriture_ = lecture_;
    } else {
        if (pipe2(entree, O_CLOEXEC) != 0 || pipe2(sortie, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        ecriture_ = entree[1];
        lecture_ = sortie[0];
    }
    const std::string nom_esclave = options.terminal ? ptsname(lecture_) : "";
    const std::string chemin_outils =
        options.outils ? dossier.chemin("outils") + ":" + std::getenv("PATH") : std::getenv("PATH");

    enfant_ = fork();
    if (enfant_ == 0) {
        if (options.terminal) {
            setsid();
            esclave = open(nom_esclave.c_str(), O_RDWR);
            ioctl(esclave, TIOCSCTTY, 0);
            dup2(esclave, 0);
            dup2(esclave, 1);
            dup2(esclave, 2);
            close(esclave);
        } else {
            dup2(entree[0], 0);
            dup2(sortie[1], 1);
            dup2(sortie[1], 2);
        }
        if (chdir(dossier.chemin().c_str()) != 0)
            _exit(126);
        setenv("PATH", chemin_outils.c_str(), 1);
        for (std::string& variable : options.environnement)
            putenv(variable.data());
        std::vector<char*> arguments;
        for (std::string& argument : options.commande)
            arguments.push_back(argument.data());
        arguments.push_back(nullptr);
        execvp(arguments[0], arguments.data());
        _exit(127);
    }
    if (!options.terminal) {
        close(entree[0]);
        close(sortie[1]);
    }
    fcntl(lecture_, F_SETFL, fcntl(lecture_, F_GETFL) | O_NONBLOCK);
}

Programme::~Programme()
{
    if (statut_ < 0 && enfant_ > 0) {
        kill(enfant_, SIGKILL);
        waitpid(enfant_, nullptr, 0);
    }
    if (ecriture_ >= 0 && ecriture_ != lecture_)
        close(ecriture_);
    if (lecture_ >= 0)
        close(lecture_);
}

bool Programme::lire(int millisecondes)
{
    pollfd attente = {lecture_, POLLIN, 0};
    if (poll(&attente, 1, millisecondes) <= 0)
        return false;
    char bloc[4096];
    const ssize_t lu = read(lecture_, bloc, sizeof bloc);
    if (lu <= 0)
        return false;
    console_.append(bloc, static_cast<std::size_t>(lu));
    return true;
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
        const auto reste =
            std::chrono::duration_cast<std::chrono::milliseconds>(limite - std::chrono::steady_clock::now());
        if (reste.count() <= 0 || (!lire(static_cast<int>(reste.count())) && !attend_encore(0)))
            return false;
    }
}

void Programme::ecrire(std::string_view texte)
{
    while (!texte.empty()) {
        const ssize_t ecrit = write(ecriture_, texte.data(), texte.size());
        if (ecrit < 0 && errno != EINTR)
            throw std::runtime_error("write");
        if (ecrit > 0)
            texte.remove_prefix(static_cast<std::size_t>(ecrit));
    }
}

void Programme::fermer_entree()
{
    close(ecriture_);
    ecriture_ = -1;
}

bool Programme::attend_encore(int millisecondes)
{
    const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(millisecondes);
    do {
        if (statut_ >= 0)
            return false;
        int etat;
        if (waitpid(enfant_, &etat, WNOHANG) == enfant_) {
            statut_ = WIFEXITED(etat) ? WEXITSTATUS(etat) : 128 + WTERMSIG(etat);
            while (lire(100)) {
            }
            return false;
        }
        lire(10);
    } while (std::chrono::steady_clock::now() < limite);
    return true;
}

int Programme::statut()
{
    attend_encore(delai_ms);
    return statut_;
}
