// The command line: the dialogue, as always, or only the usage or the version.
#pragma once

enum class Demande { dialogue, aide, version };

// What the arguments ask for: the first of -h, --help, /? (what a Windows
// user types first) and --version decides;
// any other argument is ignored, as the dialogue always ignored them.
Demande lire_arguments(int argc, const char* const* argv);
