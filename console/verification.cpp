#include "console/verification.hpp"

#include "console/textes.hpp"
#include "conversion/convertir.hpp"
#include "platform/console.hpp"
#include "platform/fichier.hpp"
#include "platform/lisible.hpp"

#include <algorithm>

namespace {

// Reports on one file, and returns its exit status.
int verifier_un(const std::string& nom, std::FILE* entree, std::FILE* erreurs)
{
    const bool standard = nom == "-";
    const Fichier fichier{standard || est_dossier(nom.c_str()) ? nullptr : ouvrir(nom, "rb")};
    std::FILE* source = standard ? entree : fichier.get();
    Rapport rapport;
    Conversion fin = Conversion::erreur_lecture;
    if (standard)
        lire_en_binaire(entree);
    if (source != nullptr && (standard || !est_peripherique(source))) {
        LecteurDos lecteur(source);
        EcrivainDos rien(nullptr);
        fin = convertir_fichier(lecteur, rien, rapport);
    }
    if (fin != Conversion::terminee) {
        std::fprintf(erreurs, texte::illisible, lisible(nom, true).c_str());
        return 2;
    }
    if (!rapport.ecrire(nom, erreurs))
        return 2;
    return rapport.avertissements() > 0 ? 1 : 0;
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
