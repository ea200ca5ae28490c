#include "console/verification.hpp"

#include "console/textes.hpp"
#include "conversion/convertir.hpp"
#include "platform/console.hpp"
#include "platform/fichier.hpp"
#include "platform/lisible.hpp"

#include <algorithm>

namespace {

// The report on `source`, named `nom`, on `erreurs`; the exit status.
int rapporter(const std::string& nom, std::FILE* source, std::FILE* erreurs)
{
    LecteurDos lecteur(source);
    Rapport rapport;
    if (convertir_fichier(lecteur, nullptr, rapport) != Conversion::terminee) {
        std::fprintf(erreurs, texte::illisible, lisible(nom, true).c_str());
        return 2;
    }
    if (!rapport.ecrire(nom, erreurs))
        return 2;
    return rapport.avertissements() > 0 ? 1 : 0;
}

// The report on the file `nom` ("-": `entree`); the exit status.
int verifier_un(const std::string& nom, std::FILE* entree, std::FILE* erreurs)
{
    if (nom == "-") {
        if (entree == nullptr) { // closed as the program started
            std::fprintf(erreurs, texte::illisible, "-");
            return 2;
        }
        lire_en_binaire(entree);
        return rapporter(nom, entree, erreurs);
    }
    const Fichier fichier{est_dossier(nom.c_str()) ? nullptr : ouvrir(nom, "rb")};
    if (fichier == nullptr || est_peripherique(fichier.get())) {
        std::fprintf(erreurs, texte::illisible, lisible(nom, true).c_str());
        return 2;
    }
    return rapporter(nom, fichier.get(), erreurs);
}

} // namespace

int verifier(const std::vector<std::string>& noms, std::FILE* entree, std::FILE* erreurs)
{
    int statut = 0;
    for (const std::string& nom : noms)
        statut = std::max(statut, verifier_un(nom, entree, erreurs));
    std::fflush(erreurs);
    return statut;
}
