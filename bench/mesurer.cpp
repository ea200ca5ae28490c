// mesurer ENTREE SORTIE PROGRAMME [ARGUMENTS...]
// Runs PROGRAMME with standard input from ENTREE and standard output to
// SORTIE, and prints its wall time in seconds and its peak resident memory
// in KiB, separated by a blank.

#include <chrono>
#include <cstdio>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fputs("usage: mesurer ENTREE SORTIE PROGRAMME [ARGUMENTS...]\n", stderr);
        return 2;
    }
    const auto debut = std::chrono::steady_clock::now();
    const pid_t enfant = fork();
    if (enfant == 0) {
        const int entree = open(argv[1], O_RDONLY);
        const int sortie = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (entree < 0 || sortie < 0)
            _exit(126);
        dup2(entree, 0);
        dup2(sortie, 1);
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    int etat = 0;
    struct rusage usage = {};
    if (wait4(enfant, &etat, 0, &usage) != enfant)
        return 2;
    const std::chrono::duration<double> duree = std::chrono::steady_clock::now() - debut;
    std::printf("%.3f %ld\n", duree.count(), usage.ru_maxrss);
    return WIFEXITED(etat) ? WEXITSTATUS(etat) : 1;
}
