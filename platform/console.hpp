// The console's three standard streams, as the program finds them.
#pragma once

// Keeps standard input, output and error from being taken by the files the
// program opens, should its parent have left any of them closed: reading one
// then finds its end, and writing to one fails.
void garder_flux_standard();
