// Preloaded into the program for a test of the pause: SIGCONT comes just
// before and just after each change of its action, as when Ctrl-Z then fg
// fall there, and tcsetattr leaves errno changed, as a call that succeeds
// may. The program ends with status 99 if its handler set the terminal's
// (standard input's) speed to 0, as zeroed settings do, or changed errno.

#include <cerrno>
#include <csignal>
#include <dlfcn.h>
#include <termios.h>
#include <unistd.h>

namespace {

const auto vrai_sigaction =
    reinterpret_cast<int (*)(int, const struct sigaction*, struct sigaction*)>(dlsym(RTLD_NEXT, "sigaction"));
const auto vrai_tcsetattr =
    reinterpret_cast<int (*)(int, int, const termios*)>(dlsym(RTLD_NEXT, "tcsetattr"));

void reprendre()
{
    errno = 0;
    raise(SIGCONT);
    termios reglages;
    if (errno != 0 || (tcgetattr(0, &reglages) == 0 && cfgetospeed(&reglages) == B0))
        _exit(99);
}

} // namespace

extern "C" int sigaction(int signal, const struct sigaction* action, struct sigaction* ancienne)
{
    if (signal == SIGCONT && action != nullptr)
        reprendre();
    const int resultat = vrai_sigaction(signal, action, ancienne);
    if (signal == SIGCONT && action != nullptr)
        reprendre();
    return resultat;
}

extern "C" int tcsetattr(int terminal, int quand, const termios* reglages)
{
    const int resultat = vrai_tcsetattr(terminal, quand, reglages);
    if (resultat == 0)
        errno = EIO;
    return resultat;
}
