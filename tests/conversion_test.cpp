// The whole conversion, from bytes on disk to bytes on disk, on the cases of
// cas/conversions.txt.

#include "cas.hpp"
#include "en_memoire.hpp"

#include <gtest/gtest.h>

TEST(Conversion, CasDuFichier)
{
    for (const Cas& c : lire_cas(CAS "/conversions.txt", {"source", "convertie", "constats"})) {
        const EnMemoire resultat = convertir_en_memoire(c["source"]);
        EXPECT_EQ(resultat.fin, Conversion::terminee);
        EXPECT_TRUE(resultat.convertie == c["convertie"])
            << "conversions.txt:" << c.ligne; // some are megabytes
        // The findings, before the line that sums up.
        EXPECT_EQ(resultat.rapport.substr(0, resultat.rapport.rfind('\n', resultat.rapport.size() - 2) + 1),
                  c["constats"])
            << "conversions.txt:" << c.ligne;
    }
}
