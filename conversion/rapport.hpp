// What the conversion tells the user, since its substitution is blind: the
// text a replaced line lost, a replacement that came from a comment, and the
// lines left unchanged that look like what it replaces.
#pragma once

#include "conversion/regles.hpp"

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

class Rapport {
public:
    // Looks at line `numero` (from 1) of the source, as read in text mode
    // but without its final LF, whose rules' patterns lie at `places`. Lines
    // that hold none of the rules' names (Regle::noms), letters folded, need
    // not come: the report has nothing to say of them.
    void examiner(std::size_t numero, std::string_view ligne, const Places& places);

    // Writes one line per finding, "nom:ligne: attention: ...", then one line
    // that sums up. False if it could not all be written.
    bool ecrire(std::string_view nom, std::FILE* sortie) const;

    std::size_t avertissements() const { return avertissements_; }

private:
    struct Constat {
        std::size_t ligne;
        std::string texte;
    };

    void constater(std::size_t ligne, std::string texte);

    std::vector<Constat> constats_; // the first ones only: memory stays bounded
    std::size_t remplacees_ = 0;
    std::size_t avertissements_ = 0;
};
