// The Windows program under wine, where "VEP.bat" and PAUSE go to wine's own
// command interpreter: the conversions of cas/conversions.txt, and the whole
// runs of cas/windows.txt.

#include "cas.hpp"
#include "console/textes.hpp"
#include "programme.hpp"

#include <gtest/gtest.h>

namespace {

// Windows' console output ends its lines in CR LF.
std::string en_console_windows(std::string texte)
{
    for (std::size_t i = 0; (i = texte.find('\n', i)) != std::string::npos; i += 2)
        texte.insert(i, 1, '\r');
    return texte;
}

// The Windows program, with the stand-in tools under their Windows names,
// tasm on the Windows PATH and the converter tool in the current folder, in
// wine's locale `langue`, after the bash command `avant`.
Programme::Options sous_wine(const std::string& avant = "", const std::string& langue = "C.UTF-8",
                             const std::string& arguments = "")
{
    return {false, avant +
                       "\nmkdir w && cp " OUTIL_TEMOIN " w/tasm.exe && cp " OUTIL_TEMOIN
                       " KORVEX_modified_for_VEP.EXE && WINEPATH=Z:$PWD/w WINEDEBUG=-all exec env LC_ALL=" +
                       langue + " " WINE " " CRASH2VEP_EXE + arguments};
}

class Conversion : public testing::TestWithParam<Cas> {};

} // namespace

TEST_P(Conversion, DonneLesOctetsDuCas)
{
    const Cas& c = GetParam();
    const Dossier dossier(c["source"]);
    Programme w(dossier, sous_wine());
    w.ecrire("prog.asm nouveau.asm nouveau\n");
    w.fermer_entree();
    EXPECT_EQ(w.statut(), 0) << w.console();
    EXPECT_TRUE(dossier.lire("nouveau.asm") == c["convertie"]);
    // The findings, then the line that sums up, on the console's standard error.
    const std::string constats = en_console_windows(c["constats"]);
    EXPECT_EQ(w.erreurs().find(constats + "prog.asm : "), 0u) << w.erreurs();
}

// One test per case of conversions.txt, so that ctest runs them side by side.
INSTANTIATE_TEST_SUITE_P(Windows, Conversion,
                         testing::ValuesIn(lire_cas(CAS "/conversions.txt",
                                                    {"source", "convertie", "constats"})));

class Dialogues : public testing::TestWithParam<Cas> {};

TEST_P(Dialogues, DonneLaSeanceDuCas)
{
    const Cas& c = GetParam();
    const Dossier dossier;
    Programme w(dossier, sous_wine(c["avant"], c["langue"], c["arguments"]));
    w.ecrire(c["reponses"]);
    if (!c["touche"].empty()) {
        ASSERT_TRUE(w.attendre(en_console_windows(texte::fin)));
        EXPECT_TRUE(w.attend_encore(500)) << "PAUSE must wait for a key";
        w.ecrire(c["touche"]);
    }
    w.fermer_entree();
    EXPECT_EQ(w.statut(), std::stoi("0" + c["statut"]));
    const std::string sortie = en_console_windows(c["sortie"]);
    EXPECT_EQ(dossier.sans_chemin(w.console()).substr(0, sortie.size()), sortie);
    EXPECT_NE(w.erreurs().find(en_console_windows(c["erreurs"])), std::string::npos) << w.erreurs();
    Programme puis(dossier, {false, c["puis"]});
    EXPECT_EQ(puis.statut(), 0);
    EXPECT_EQ(puis.console(), c["donne"]);
}

INSTANTIATE_TEST_SUITE_P(Windows, Dialogues,
                         testing::ValuesIn(lire_cas(CAS "/windows.txt", {"avant"},
                                                    {SOURCES "/console/textes.hpp"})));
