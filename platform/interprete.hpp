// What the Windows command interpreter does for this program: run a batch
// script and wait for it, and PAUSE. On Windows the interpreter itself does
// both; elsewhere this layer stands in for it.
#pragma once

#include <cstdio>
#include <string_view>

// True when a tool would take `mot`, one of its arguments, for an option.
bool lu_comme_option(std::string_view mot);

// Runs the batch script `nom` line by line and returns when it has ended.
// The programs write to the console themselves; `console` receives the
// interpreter's own lines (each command shown before it runs, failures).
// False if the script could not be read, or a command could not be started
// or ended with a status other than 0; on Windows, if cmd's status is not 0.
bool executer_script(const char* nom, std::FILE* console);

// What cmd says at PAUSE, as a French Windows words it.
constexpr char message_pause[] = "Appuyez sur une touche pour continuer...";

// Writes the PAUSE message to `console` and waits for one key typed after it
// on `entree`, past what its buffer holds. At the end of `entree` it returns
// at once.
void attendre_touche(std::FILE* entree, std::FILE* console);
