// Ports a crash or ash source to VEP, one line at a time: a line naming one of
// the crash include files becomes the VEP include line, a line calling
// GET_KEY becomes the VEP ROM_CALL line, and every other line is copied.
#pragma once

#include "conversion/rapport.hpp"
#include "conversion/regles.hpp"
#include "platform/texte_dos.hpp"

#include <cstdio>
#include <string_view>

enum class Conversion { terminee, erreur_lecture, erreur_ecriture, memoire_insuffisante };

// Where `texte`, a line without its line end, first holds each rule's patterns.
Places places_dans(std::string_view texte);

// Writes the conversion of `ligne`, whose patterns lie at `places`.
void convertir_ligne(std::string_view ligne, const Places& places, EcrivainDos& sortie);

// Converts what remains of `source` onto `nouvelle`, opened in binary mode
// (null: for the report alone), and hands it all to the system. Tells whether
// the source was read to its end and everything written, or whether a line
// was longer than memory could hold. What the conversion did and may have
// missed goes to `rapport`, which does not change a byte of the conversion.
Conversion convertir_fichier(LecteurDos& source, std::FILE* nouvelle, Rapport& rapport);
