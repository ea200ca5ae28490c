// The whole conversion, from bytes on disk to bytes on disk, on the cases of
// cas/conversions.txt: one test per case, named by the line it starts on.

#include "cas.hpp"
#include "en_memoire.hpp"

#include <gtest/gtest.h>

namespace {

class Conversions : public testing::TestWithParam<Cas> {};

TEST_P(Conversions, DonneLesOctetsDuCas)
{
    const Cas& c = GetParam();
    const EnMemoire resultat = convertir_en_memoire(c["source"]);
    EXPECT_EQ(resultat.fin, Conversion::terminee);
    EXPECT_TRUE(resultat.convertie == c["convertie"]); // some are megabytes
    // The findings, before the line that sums up.
    EXPECT_EQ(resultat.rapport.substr(0, resultat.rapport.rfind('\n', resultat.rapport.size() - 2) + 1),
              c["constats"]);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, Conversions,
    testing::ValuesIn(lire_cas(CAS "/conversions.txt", {"source", "convertie", "constats"})),
    [](const testing::TestParamInfo<Cas>& cas) { return "ligne_" + std::to_string(cas.param.ligne); });

} // namespace
