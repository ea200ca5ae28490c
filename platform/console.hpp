// The console's three standard streams, as the program finds them.
#pragma once

#include <cstdio>

// Keeps standard input, output and error from being taken by the files the
// program opens, should its parent have left any of them closed: reading one
// then finds its end, and writing to one fails. Writing to a pipe whose
// reader has gone, or past a file size limit, fails too, rather than ending
// the program: the work goes on, and the failure is seen. True when standard
// input was closed: what reads as its end then is no input at all.
bool garder_flux_standard();

// After a read from `entree` failed: waits until it has something, and
// returns true, if it failed only because the input was left non-blocking
// and had nothing yet; false otherwise.
bool attendre_entree(std::FILE* entree);

// True when the program's console window is its own, as when the Windows
// explorer starts it for files dropped on it, rather than a console where
// a shell runs. False elsewhere.
bool console_a_soi();

// Makes `flux`, a standard stream, read its bytes as they are: on Windows a
// standard stream starts in text mode.
void lire_en_binaire(std::FILE* flux);
