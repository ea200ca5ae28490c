// The 32-bit Windows program under wine, where "VEP.bat" and PAUSE go to
// wine's own command interpreter: it must write the same bytes as the native
// program, and hold the same dialogue.

#include "programme.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using namespace std::string_literals;

namespace {

// Windows' console output ends its lines in CR LF.
std::string en_console_windows(std::string texte)
{
    for (std::size_t i = 0; (i = texte.find('\n', i)) != std::string::npos; i += 2)
        texte.insert(i, 1, '\r');
    return texte;
}

// The Windows program, with the stand-in tools under their Windows names on
// the Windows PATH.
Programme::Options sous_wine(const Dossier& dossier)
{
    std::filesystem::create_directory(dossier.chemin("outils_windows"));
    for (const char* nom : {"tasm.exe", "KORVEX_modified_for_VEP.EXE"})
        std::filesystem::copy_file(OUTIL_TEMOIN, dossier.chemin("outils_windows/") + nom);
    Programme::Options options;
    options.outils = false;
    options.commande = {"wine", CRASH2VEP_EXE};
    options.environnement = {"WINEDEBUG=-all", "WINEPATH=Z:" + dossier.chemin("outils_windows")};
    return options;
}

// The new source and the script that one whole run writes for `source`.
std::pair<std::string, std::string> convertir(const std::string& source, bool sous_windows)
{
    Dossier dossier;
    dossier.ecrire("prog.asm", source);
    Programme::Options natif;
    natif.outils = false;
    Programme programme(dossier, sous_windows ? sous_wine(dossier) : natif);
    programme.ecrire("prog.asm nouveau.asm nouveau\n");
    programme.fermer_entree();
    EXPECT_EQ(programme.statut(), 0) << programme.console();
    return {dossier.lire("nouveau.asm"), dossier.lire("VEP.bat")};
}

} // namespace

TEST(Windows, EcritLesMemesOctetsQueLeProgrammeNatif)
{
    const std::string sources[] = {
        "",
        "#include \"crash.inc\"\r\nboucle:\r\n\tcall GET_KEY\r\n\tjr boucle\r\n",
        "#include <ti82.h>\nCALL GET_KEY ; ti82.h\n call\tGET_KEY\n Call GET_KEY\n call  GET_KEY",
        "a\rb\r\r\n\r\n\n\tld a,b\r",
        "ret\r\nnop\x1A call GET_KEY\r\n",
        "a\0b\ncall GET_KEY\0\n\0\n\xff\xfe\x80\n"s,
        std::string(700'000, 'x') + "crash.inc" + std::string(300'000, 'y') + "\n" +
            std::string(600'000, 'z'),
    };
    for (const std::string& source : sources)
        EXPECT_EQ(convertir(source, true), convertir(source, false)) << source.substr(0, 80);
    EXPECT_EQ(convertir(sources[1], true).first,
              "#INCLUDE vepbeta.inc\r\nboucle:\r\n        ROM_CALL(GET_KEY)\r\n\tjr boucle\r\n");
}

TEST(Windows, TientLeDialogueEtConstruitParLInterpreteurDeCommandes)
{
    using namespace attendu;
    Dossier dossier;
    dossier.ecrire("prog.asm", "#include \"crash.inc\"\r\n\tCALL GET_KEY\r\n");
    Programme programme(dossier, sous_wine(dossier));
    const std::pair<std::string, std::string> questions[] = {{question_source, "absent.asm"},
                                                             {absent + question_source, "prog.asm"},
                                                             {question_sortie, "nouveau.asm"},
                                                             {question_base, "nouveau"}};
    for (const auto& [question, reponse] : questions) {
        ASSERT_TRUE(programme.attendre(en_console_windows(question)));
        programme.ecrire(reponse + "\n");
    }
    ASSERT_TRUE(programme.attendre("tasm -b -80  -r16 nouveau.asm"));
    ASSERT_TRUE(programme.attendre("KORVEX_modified_for_VEP.EXE nouveau.OBJ"));
    ASSERT_TRUE(programme.attendre(en_console_windows(fin)));
    EXPECT_TRUE(programme.attend_encore(500)) << "PAUSE must wait for a key";
    programme.ecrire("x");
    EXPECT_EQ(programme.statut(), 0);

    const std::string convertie = "#INCLUDE vepbeta.inc\r\n        ROM_CALL(GET_KEY)\r\n";
    EXPECT_EQ(dossier.lire("nouveau.asm"), convertie);
    EXPECT_EQ(dossier.lire("vu_par_tasm"), convertie);
    EXPECT_EQ(dossier.lire("appels"), "tasm [-b] [-80] [-r16] [nouveau.asm]\n"
                                      "KORVEX_modified_for_VEP.EXE [nouveau.OBJ]\n");
    EXPECT_EQ(programme.console().find(en_console_windows(question_source + absent + question_source +
                                                          question_sortie + question_base)),
              0u);
}
