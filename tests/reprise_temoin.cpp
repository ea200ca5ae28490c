// Preloaded into the program: SIGCONT just before and after each change of
// its action, as Ctrl-Z then fg may bring it; tcsetattr changes errno, as a
// call that succeeds may. Status 99 if the handler then changed errno or set
// the terminal's speed to 0 (zeroed settings).

#include <cerrno>
#include <csignal>
#include <dlfcn.h>
#include <termios.h>
#include <unistd.h>

static void reprendre()
{
    errno = 0;
    raise(SIGCONT);
    termios reglages;
    if (errno != 0 || (tcgetattr(0, &reglages) == 0 && cfgetospeed(&reglages) == B0))
        _exit(99);
}

extern "C" int sigaction(int signal, const struct sigaction* action, struct sigaction* ancienne)
{
    static const auto vrai = reinterpret_cast<decltype(&sigaction)>(dlsym(RTLD_NEXT, "sigaction"));
    if (signal == SIGCONT && action != nullptr)
        reprendre();
    const int resultat = vrai(signal, action, ancienne);
    if (signal == SIGCONT && action != nullptr)
        reprendre();
    return resultat;
}

extern "C" int tcsetattr(int terminal, int quand, const termios* reglages)
{
    static const auto vrai = reinterpret_cast<decltype(&tcsetattr)>(dlsym(RTLD_NEXT, "tcsetattr"));
    const int resultat = vrai(terminal, quand, reglages);
    errno = resultat == 0 ? EIO : errno;
    return resultat;
}
