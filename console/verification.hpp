// crash2vep --verifier: what the conversion would say of sources, as a
// compiler says it, for editors and makefiles.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Writes on `erreurs` what the report would say of each file of `noms` ("-"
// is `entree`, which null says was closed), or that it cannot be read, and
// writes nothing else. Returns the exit status: 2 if a file could not be read
// to its end, or else 1 if a file has a finding, or else 0.
int verifier(const std::vector<std::string>& noms, std::FILE* entree, std::FILE* erreurs);
