#include "conversion/convertir.hpp"

#include "conversion/cherc2haine.hpp"
#include "conversion/regles.hpp"

#include <array>
#include <new>
#include <string>

namespace {

// A byte that every pattern of `regle` holds, and not a lower-case letter or
// a blank, as those begin or fill most lines: a line without it holds none of
// them, which one memchr tells. 0 if there is none.
char cle_de(const Regle& regle)
{
    for (const char octet : regle.motifs[0]) {
        bool partout = !(octet >= 'a' && octet <= 'z') && octet != ' ' && octet != '\t';
        for (std::string_view motif : regle.motifs)
            partout = partout && (motif.empty() || motif.find(octet) != std::string_view::npos);
        if (partout)
            return octet;
    }
    return '\0';
}

std::ptrdiff_t place_de(std::string_view ligne, std::size_t r)
{
    static const std::array<char, regles.size()> cles = [] {
        std::array<char, regles.size()> c{};
        for (std::size_t i = 0; i < regles.size(); ++i)
            c[i] = cle_de(regles[i]);
        return c;
    }();
    const Regle& regle = regles[r];
    if (cles[r] != '\0' && ligne.find(cles[r]) == std::string_view::npos)
        return -1;
    std::ptrdiff_t premiere = -1;
    for (std::string_view motif : regle.motifs) {
        // Once a pattern is found, another one matters only if it starts
        // before: it is looked for in the text that it would end in.
        const std::string_view avant =
            premiere < 0 ? ligne : ligne.substr(0, static_cast<std::size_t>(premiere) - 1 + motif.size());
        if (const std::ptrdiff_t place = cherc2haine(avant, motif); place >= 0)
            premiere = place;
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

Places convertir_ligne(std::string_view ligne, EcrivainDos& sortie)
{
    // The replacements as they go out, each LF a CR LF, made once: each then
    // goes out in one piece, without a look for its LFs.
    static const std::array<std::string, regles.size()> remplacements_dos = [] {
        std::array<std::string, regles.size()> dos;
        for (std::size_t i = 0; i < regles.size(); ++i)
            for (const char octet : regles[i].remplacement)
                dos[i] += octet == '\n' ? std::string_view("\r\n") : std::string_view(&octet, 1);
        return dos;
    }();
    const std::string_view texte = contenu(ligne); // no pattern holds a line end
    Places places;
    bool remplacee = false;
    for (std::size_t i = 0; i < regles.size(); ++i) {
        places[i] = place_de(texte, i);
        if (places[i] >= 0) {
            sortie.recopier(remplacements_dos[i], false);
            remplacee = true;
        }
    }
    if (!remplacee)
        sortie.recopier(ligne, true);
    return places;
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
            // Each search goes on from the end of the line found before it.
            for (std::size_t fait = 0;;) {
                LignesAvant avant;
                const std::ptrdiff_t trouvee = recherche.ligne(lignes, fait, avant);
                const std::size_t touchee_debut =
                    trouvee < 0 ? lignes.size() : static_cast<std::size_t>(trouvee);
                sortie.recopier(lignes.substr(fait, touchee_debut - fait), avant.lf_seul);
                numero += avant.lf;
                if (trouvee < 0)
                    break;
                const std::string_view touchee = premiere_ligne(lignes.substr(touchee_debut));
                rapport.examiner(numero++, contenu(touchee), convertir_ligne(touchee, sortie));
                fait = touchee_debut + touchee.size();
            }
        }
    } catch (const std::bad_alloc&) {
        // The reader holds a whole line: one without end (a device, a huge
        // sparse file) can outgrow memory.
        return Conversion::memoire_insuffisante;
    }
    if (source.erreur())
        return Conversion::erreur_lecture;
    return sortie.vider() ? Conversion::terminee : Conversion::erreur_ecriture;
}
