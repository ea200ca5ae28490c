#include "conversion/rapport.hpp"

#include "conversion/casse.hpp"
#include "conversion/cherc2haine.hpp"
#include "platform/lisible.hpp"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <utility>

namespace {

// What the report says.
namespace dit {
constexpr char attention[] = ": attention: ";
constexpr char remplacee_par[] = "ligne remplacee par ";
constexpr char du_commentaire[] = " a cause de son commentaire : ";
constexpr char texte_perdu[] = "ligne remplacee, texte perdu : ";
constexpr char non_converti[] = "non converti (";
constexpr char fin_de_raison[] = ") : ";
constexpr char casse[] = "casse";
constexpr char espacement[] = "espacement";
constexpr char et[] = " et ";
constexpr char remplacee[] = "ligne remplacee";
constexpr char remplacees[] = "lignes remplacees";
constexpr char avertissement[] = "avertissement";
constexpr char avertissements[] = "avertissements";
constexpr char non_affiches[] = " non affiches)";
} // namespace dit

constexpr std::size_t constats_max = 100;
constexpr std::size_t extrait_max = 60;

bool dans_un_nom(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool blanc(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view sans_blancs(std::string_view texte)
{
    while (!texte.empty() && blanc(texte.front()))
        texte.remove_prefix(1);
    while (!texte.empty() && blanc(texte.back()))
        texte.remove_suffix(1);
    return texte;
}

// `texte` as the report shows it: its first `limite` bytes, those that a
// terminal would not show as they are written \xHH.
std::string extrait(std::string_view texte, std::size_t limite = extrait_max)
{
    const std::string montre = lisible(texte.substr(0, limite), true);
    return texte.size() > limite ? montre + "..." : montre;
}

// The line without its comment: up to the first ';' outside double quotes
// and outside a character literal (a quote, one byte, a quote), so that
// ld a,';' and ld a,'"' start no comment and no string. A quote alone, as in
// ex af,af', is a byte like any other.
std::string_view code_de(std::string_view ligne)
{
    // Most comments follow code with no quote in it.
    const std::string_view avant = ligne.substr(0, ligne.find(';'));
    if (avant.find('"') == std::string_view::npos && avant.find('\'') == std::string_view::npos)
        return avant;
    bool entre_guillemets = false;
    for (std::size_t i = 0; i < ligne.size(); ++i) {
        if (ligne[i] == '"')
            entre_guillemets = !entre_guillemets;
        else if (entre_guillemets)
            continue;
        else if (ligne[i] == '\'' && i + 2 < ligne.size() && ligne[i + 2] == '\'')
            i += 2;
        else if (ligne[i] == ';')
            return ligne.substr(0, i);
    }
    return ligne;
}

// What is left of a replaced line's code once its statements are taken out,
// as the report shows it: the blanks at both ends dropped, the first
// `extrait_max` bytes kept. Bytes come one at a time, so that memory stays
// the same whatever the line's length.
class Reste {
public:
    void garder(char octet)
    {
        if (taille_ == 0 && blanc(octet))
            return;
        if (taille_ < extrait_max)
            debut_ += octet;
        else if (!blanc(octet))
            coupe_ = true;
        ++taille_;
    }

    // Empty when nothing but blanks was kept.
    std::string montre() const { return coupe_ ? extrait(debut_) + "..." : extrait(sans_blancs(debut_)); }

private:
    std::string debut_;
    std::size_t taille_ = 0; // bytes kept since the first that is not a blank
    bool coupe_ = false;     // a byte that is not a blank lies past debut_
};

std::size_t occurrences(std::string_view texte, std::string_view motif)
{
    std::size_t nombre = 0;
    for (std::ptrdiff_t p = 0; (p = cherc2haine(texte, motif)) >= 0; ++nombre)
        texte.remove_prefix(static_cast<std::size_t>(p) + motif.size());
    return nombre;
}

// How many bytes at `i` in `code` a statement of `regle` takes: one of its
// patterns, as a whole word where the rule wants one, bare or with the
// quotes or angle brackets around it; 0 if none.
std::size_t enonce_a(std::string_view code, std::size_t i, const Regle& regle)
{
    const auto motif_a = [&](std::size_t debut, std::string_view motif) {
        const std::size_t fin = debut + motif.size();
        return code[debut] == motif[0] && code.compare(debut, motif.size(), motif) == 0 &&
               !(regle.mots_entiers && fin < code.size() && dans_un_nom(code[fin]));
    };
    const char fermante = code[i] == '"' ? '"' : code[i] == '<' ? '>' : '\0';
    for (std::string_view motif : regle.motifs) {
        const std::size_t fin = i + 1 + motif.size();
        if (fermante != '\0' && fin < code.size() && code[fin] == fermante && motif_a(i + 1, motif))
            return motif.size() + 2;
        if (motif_a(i, motif))
            return motif.size();
    }
    return 0;
}

// How many bytes at `i` in `code` belong to what a replacement stands for: a
// rule's statement; or an include directive's own word, in any case, while
// `restantes` allows that word.
std::size_t pris_a(std::string_view code, std::size_t i, std::size_t (&restantes)[std::size(directives)])
{
    for (const Regle& regle : regles)
        if (const std::size_t pris = enonce_a(code, i, regle))
            return pris;
    for (std::size_t d = 0; d < std::size(directives); ++d) {
        if (restantes[d] > 0 && minuscule(code[i]) == minuscule(directives[d][0]) &&
            egal_replie(code.substr(i, directives[d].size()), directives[d])) {
            --restantes[d];
            return directives[d].size();
        }
    }
    return 0;
}

// What a replaced line's code held besides the statements that its
// replacement stands for: an include directive with its file name, bare or
// in quotes or angle brackets; a call of GET_KEY itself, not of a longer name.
// As the report shows it; empty if nothing. One pass: time grows with the
// line, and memory does not.
std::string perte(std::string_view code)
{
    // Most replaced lines are one statement alone, blanks aside: a pattern,
    // or an include directive and the file that it names.
    const std::string_view enonce = sans_blancs(code);
    for (const Regle& regle : regles)
        for (std::string_view motif : regle.motifs)
            if (enonce == motif)
                return {};
    for (std::string_view directive : directives) {
        const std::string_view fichier =
            sans_blancs(enonce.substr(std::min(directive.size(), enonce.size())));
        if (!fichier.empty() && egal_replie(enonce.substr(0, directive.size()), directive) &&
            enonce_a(fichier, 0, inclusion) == fichier.size())
            return {};
    }

    // Each include pattern takes one directive of each spelling with it.
    std::size_t inclusions = 0;
    for (std::string_view motif : inclusion.motifs)
        inclusions += occurrences(code, motif);
    std::size_t restantes[std::size(directives)];
    std::fill(std::begin(restantes), std::end(restantes), inclusions);

    Reste reste;
    for (std::size_t i = 0; i < code.size();) {
        const std::size_t pris = pris_a(code, i, restantes);
        if (pris == 0)
            reste.garder(code[i++]);
        else
            i += pris;
    }
    return reste.montre();
}

// The length of the text at `p` in `code` that has the form `r.forme`; 0 if none.
std::size_t longueur_de_forme(std::string_view code, std::size_t p, const Ressemblance& r)
{
    const bool mot_entier = r.regle.mots_entiers;
    if (mot_entier && p > 0 && dans_un_nom(code[p - 1]))
        return 0;
    std::size_t q = p;
    for (const char c : r.forme) {
        const std::size_t avant = q;
        while (c == ' ' && q < code.size() && blanc(code[q]))
            ++q;
        if (c != ' ' && q < code.size() && minuscule(code[q]) == minuscule(c))
            ++q;
        if (q == avant)
            return 0;
    }
    if (mot_entier && q < code.size() && dans_un_nom(code[q]))
        return 0;
    return q - p;
}

// A text cut at its first run of blanks and tabs.
struct Decoupe {
    std::string_view avant, espace, apres;
};

Decoupe decouper(std::string_view texte)
{
    const std::size_t debut = std::min(texte.find_first_of(" \t"), texte.size());
    const std::size_t fin = std::min(texte.find_first_not_of(" \t", debut), texte.size());
    return {texte.substr(0, debut), texte.substr(debut, fin - debut), texte.substr(fin)};
}

// Why `texte`, of the form `forme`, is none of `regle`'s patterns: its words'
// case differs from every pattern's, its spacing is neither the form's blank
// nor that of a pattern with the same first word, or both.
std::string raison_de(std::string_view texte, std::string_view forme, const Regle& regle)
{
    const Decoupe t = decouper(texte);
    bool casse = true;
    bool espacement = t.espace != decouper(forme).espace;
    for (std::string_view motif : regle.motifs) {
        const Decoupe m = decouper(motif);
        casse = casse && !(m.avant == t.avant && m.apres == t.apres);
        espacement = espacement && !(m.avant == t.avant && m.espace == t.espace);
    }
    if (casse && espacement)
        return std::string(dit::casse) + dit::et + std::string(dit::espacement);
    return std::string(casse ? dit::casse : dit::espacement);
}

// The first text in `code` that resembles what a rule replaces, and why the
// rule did not take it; no reason if none.
std::pair<std::string_view, std::string> presque(std::string_view code)
{
    for (const Ressemblance& r : ressemblances) {
        for (std::size_t p = 0; p < code.size(); ++p) {
            const std::string_view texte = code.substr(p, longueur_de_forme(code, p, r));
            if (!texte.empty())
                return {texte, r.raison.empty() ? raison_de(texte, r.forme, r.regle) : std::string(r.raison)};
        }
    }
    return {};
}

std::string compte(std::size_t nombre, const char* singulier, const char* pluriel)
{
    return std::to_string(nombre) + " " + (nombre > 1 ? pluriel : singulier);
}

} // namespace

void Rapport::examiner(std::size_t numero, std::string_view ligne, const Places& places)
{
    const std::string_view code = code_de(ligne);
    bool remplacee = false;
    for (std::size_t i = 0; i < std::size(regles); ++i) {
        // No pattern holds a ';': one that starts in the code ends there.
        const std::string_view remplacement = regles[i].remplacement;
        if (places[i] >= 0 && static_cast<std::size_t>(places[i]) >= code.size())
            constater(numero, std::string(dit::remplacee_par) +
                                  std::string(sans_blancs(remplacement.substr(0, remplacement.size() - 2))) +
                                  dit::du_commentaire + extrait(ligne.substr(code.size())));
        remplacee = remplacee || places[i] >= 0;
    }
    if (remplacee) {
        ++remplacees_;
        if (const std::string perdu = perte(code); !perdu.empty())
            constater(numero, dit::texte_perdu + perdu);
    } else if (const auto [texte, raison] = presque(code); !raison.empty()) {
        constater(numero, std::string(dit::non_converti) + raison + dit::fin_de_raison + extrait(texte));
    }
}

void Rapport::constater(std::size_t ligne, std::string texte)
{
    ++avertissements_;
    if (constats_.size() < constats_max)
        constats_.push_back({ligne, std::move(texte)});
}

bool Rapport::ecrire(std::string_view nom, std::FILE* sortie) const
{
    const std::string montre = extrait(nom, nom.size());
    std::string texte;
    for (const Constat& constat : constats_)
        texte += montre + ":" + std::to_string(constat.ligne) + dit::attention + constat.texte + "\n";
    texte += montre + " : " + compte(remplacees_, dit::remplacee, dit::remplacees) + ", " +
             compte(avertissements_, dit::avertissement, dit::avertissements);
    if (avertissements_ > constats_.size())
        texte += " (" + std::to_string(avertissements_ - constats_.size()) + dit::non_affiches;
    texte += "\n";
    return std::fputs(texte.c_str(), sortie) >= 0 && std::fflush(sortie) == 0;
}
