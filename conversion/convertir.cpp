#include "conversion/convertir.hpp"

#include "conversion/recherche.hpp"

#include <new>
#include <utility>

namespace {

// `ligne`, as LecteurDos gives it, without its line end: what the line holds
// when read in text mode, but for its final LF.
std::string_view contenu(std::string_view ligne)
{
    if (!ligne.empty() && ligne.back() == '\n')
        ligne.remove_suffix(ligne.size() >= 2 && ligne[ligne.size() - 2] == '\r' ? 2 : 1);
    return ligne;
}

// A byte that every pattern of a rule holds, and not a lower-case letter or
// a blank, as those fill most lines: the patterns are looked for only where
// a line holds it.
constexpr char cle_de(const Regle& regle)
{
    for (const char octet : *regle.motifs.begin()) {
        bool partout = !(octet >= 'a' && octet <= 'z') && octet != ' ' && octet != '\t';
        for (std::string_view motif : regle.motifs)
            partout = partout && motif.find(octet) != std::string_view::npos;
        if (partout)
            return octet;
    }
    return '\0';
}

// Where `ligne` first holds one of the patterns of rule `r`; -1 if none.
template <std::size_t r> std::ptrdiff_t place_de(std::string_view ligne)
{
    constexpr Regle regle = regles[r];
    constexpr char cle = cle_de(regle);
    static_assert(cle != '\0', "a rule whose patterns share no key");
    std::ptrdiff_t premiere = -1;
    for (std::size_t k = ligne.find(cle); k != std::string_view::npos; k = ligne.find(cle, k + 1)) {
        for (std::string_view motif : regle.motifs) {
            const std::size_t avant = motif.find(cle);
            if (k >= avant && ligne.compare(k - avant, motif.size(), motif) == 0 &&
                (premiere < 0 || k - avant < static_cast<std::size_t>(premiere)))
                premiere = static_cast<std::ptrdiff_t>(k - avant);
        }
    }
    return premiere;
}

template <std::size_t... r> Places places_de(std::string_view texte, std::index_sequence<r...>)
{
    return {place_de<r>(texte)...};
}

} // namespace

Places places_dans(std::string_view texte)
{
    return places_de(texte, std::make_index_sequence<std::size(regles)>());
}

void convertir_ligne(std::string_view ligne, const Places& places, EcrivainDos& sortie)
{
    bool remplacee = false;
    for (std::size_t r = 0; r < std::size(regles); ++r) {
        if (places[r] >= 0) {
            sortie.ajouter(regles[r].remplacement);
            remplacee = true;
        }
    }
    if (!remplacee) // rare enough to be copied, whatever its line end
        sortie.ecrire(ligne);
}

Conversion convertir_fichier(LecteurDos& source, std::FILE* nouvelle, Rapport& rapport)
{
    // Lines that hold none of the rules' names go out as they lie in the
    // reader's buffer, many at a time; each line that holds one goes through
    // convertir_ligne and the report. The lines between are counted, for
    // the report's line numbers, and copied only if one ends in an LF alone.
    EcrivainDos sortie(nouvelle);
    std::string_view lignes;
    std::size_t numero = 1;
    try {
        while (source.lire_lignes(lignes)) {
            for (std::size_t fait = 0; fait < lignes.size();) {
                const std::string_view nommee = ligne_nommee(lignes, fait);
                const std::size_t debut =
                    nommee.empty() ? lignes.size() : static_cast<std::size_t>(nommee.data() - lignes.data());
                const std::string_view avant = lignes.substr(fait, debut - fait);
                const LignesPassees passees = compter_lignes(avant);
                if (passees.lf_seul)
                    sortie.ecrire(avant);
                else
                    sortie.ajouter(avant);
                numero += passees.lf;
                if (nommee.empty())
                    break;
                const std::string_view texte = contenu(nommee);
                const Places places = places_dans(texte);
                rapport.examiner(numero++, texte, places);
                convertir_ligne(nommee, places, sortie);
                fait = debut + nommee.size();
            }
            sortie.envoyer();
        }
    } catch (const std::bad_alloc&) {
        return Conversion::memoire_insuffisante;
    }
    if (source.erreur())
        return Conversion::erreur_lecture;
    return sortie.vider() ? Conversion::terminee : Conversion::erreur_ecriture;
}
