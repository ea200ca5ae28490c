#include "conversion/convertir.hpp"

#include "conversion/cherc2haine.hpp"
#include "conversion/regles.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <tuple>

namespace {

// What place_de needs to know of a rule: a byte that every one of its
// patterns holds, and not a lower-case letter or a blank, as those begin or
// fill most lines; and where each pattern holds it first.
struct Cle {
    char octet = '\0';
    std::array<std::size_t, std::tuple_size_v<decltype(Regle::motifs)>> places{};
    std::size_t plus_loin = 0; // the greatest of those places
};

Cle cle_de(const Regle& regle)
{
    Cle cle;
    for (const char octet : regle.motifs[0]) {
        bool partout = !(octet >= 'a' && octet <= 'z') && octet != ' ' && octet != '\t';
        for (std::string_view motif : regle.motifs)
            partout = partout && (motif.empty() || motif.find(octet) != std::string_view::npos);
        if (partout) {
            cle.octet = octet;
            for (std::size_t m = 0; m < regle.motifs.size(); ++m) {
                cle.places[m] = regle.motifs[m].find(octet);
                if (cle.places[m] != std::string_view::npos)
                    cle.plus_loin = std::max(cle.plus_loin, cle.places[m]);
            }
            return cle;
        }
    }
    // The rules are constants (regles.hpp): the program, and so every test
    // run, stops as it starts if one of them has no key.
    std::fputs("crash2vep: une regle sans octet commun a ses motifs\n", stderr);
    std::abort();
}

// Each rule's key, worked out as the program starts.
const std::array<Cle, regles.size()> cles = [] {
    std::array<Cle, regles.size()> c{};
    for (std::size_t i = 0; i < regles.size(); ++i)
        c[i] = cle_de(regles[i]);
    return c;
}();

// The replacements as they go out, each LF a CR LF: each then goes out in one
// piece, without a look for its LFs.
const std::array<std::string, regles.size()> remplacements_dos = [] {
    std::array<std::string, regles.size()> dos;
    for (std::size_t i = 0; i < regles.size(); ++i)
        for (const char octet : regles[i].remplacement)
            dos[i] += octet == '\n' ? std::string_view("\r\n") : std::string_view(&octet, 1);
    return dos;
}();

// Where `ligne` first holds one of the patterns of rule `r`; -1 if none.
// Every pattern holds the rule's key, a byte few lines hold: memchr finds its
// places, each of which tells where each pattern would start, and only there
// is it compared.
std::ptrdiff_t place_de(std::string_view ligne, std::size_t r)
{
    const Regle& regle = regles[r];
    const Cle& cle = cles[r];
    std::ptrdiff_t premiere = -1;
    // Keys from `limite` on can give no earlier start than the first found.
    std::size_t limite = ligne.size();
    for (std::size_t k = ligne.find(cle.octet); k < limite;
         k = ligne.substr(0, limite).find(cle.octet, k + 1)) {
        for (std::size_t m = 0; m < regle.motifs.size(); ++m) {
            const std::string_view motif = regle.motifs[m];
            if (motif.empty() || k < cle.places[m])
                continue;
            const std::size_t debut = k - cle.places[m];
            if ((premiere < 0 || debut < static_cast<std::size_t>(premiere)) &&
                motif.size() <= ligne.size() - debut &&
                egaux(ligne.data() + debut, motif.data(), motif.size())) {
                premiere = static_cast<std::ptrdiff_t>(debut);
                limite = std::min(limite, debut + cle.plus_loin);
            }
        }
    }
    return premiere;
}

// `ligne`, as LecteurDos gives it, without its line end: what the line holds
// when read in text mode, but for its final LF.
std::string_view contenu(std::string_view ligne)
{
    if (!ligne.empty() && ligne.back() == '\n')
        ligne.remove_suffix(ligne.size() >= 2 && ligne[ligne.size() - 2] == '\r' ? 2 : 1);
    return ligne;
}

} // namespace

Places places_dans(std::string_view texte)
{
    Places places;
    for (std::size_t i = 0; i < regles.size(); ++i)
        places[i] = place_de(texte, i);
    return places;
}

void convertir_ligne(std::string_view ligne, const Places& places, EcrivainDos& sortie)
{
    bool remplacee = false;
    for (std::size_t i = 0; i < regles.size(); ++i) {
        if (places[i] >= 0) {
            sortie.remplacer(ligne, remplacements_dos[i]);
            remplacee = true;
        }
    }
    if (!remplacee)
        sortie.recopier(ligne, finit_par_lf_seul(ligne));
}

Conversion convertir_fichier(LecteurDos& source, EcrivainDos& sortie, Rapport& rapport)
{
    // Lines that hold none of the rules' names go out as they lie on disk,
    // many at a time; each line that holds one goes through convertir_ligne
    // and the report. The search's own pass counts the lines it goes over,
    // for the report's line numbers, and tells whether one ends in an LF alone.
    Cherc2haines recherche;
    for (const Regle& regle : regles)
        for (std::string_view nom : regle.noms)
            recherche.ajouter(nom);
    std::string_view lignes;
    std::size_t numero = 1;
    try {
        while (source.lire_lignes(lignes)) {
            sortie.sur_place(source, lignes);
            // Each search goes on from the end of the line found before it,
            // and reads the LF before that. What is written in place ends
            // there at most, and then with an LF of its own: every
            // replacement ends in one, and lines moved by no byte are as
            // they were.
            for (std::size_t fait = 0;;) {
                LignesAvant avant;
                const std::string_view touchee = recherche.ligne(lignes, fait, avant);
                const std::size_t touchee_debut =
                    touchee.empty() ? lignes.size()
                                    : static_cast<std::size_t>(touchee.data() - lignes.data());
                sortie.recopier(lignes.substr(fait, touchee_debut - fait), avant.lf_seul);
                numero += avant.lf;
                if (touchee.empty())
                    break;
                // No pattern holds a line end. The line is read before its
                // conversion may go over it.
                const std::string_view texte = contenu(touchee);
                const Places places = places_dans(texte);
                rapport.examiner(numero++, texte, places);
                convertir_ligne(touchee, places, sortie);
                fait = touchee_debut + touchee.size();
            }
            sortie.finir_sur_place();
        }
    } catch (const std::bad_alloc&) {
        // The reader holds a whole line: one without end (a device, a huge
        // sparse file) can outgrow memory. The writer lets go of the block.
        sortie.finir_sur_place();
        return Conversion::memoire_insuffisante;
    }
    if (source.erreur())
        return Conversion::erreur_lecture;
    return sortie.vider() ? Conversion::terminee : Conversion::erreur_ecriture;
}
