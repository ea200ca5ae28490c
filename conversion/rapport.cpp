#include "conversion/rapport.hpp"

#include "conversion/regles.hpp"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

constexpr std::size_t constats_max = 100;
constexpr std::size_t extrait_max = 60;
constexpr std::size_t npos = std::string_view::npos;

bool dans_un_nom(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool blanc(char c)
{
    return c == ' ' || c == '\t';
}

// ASCII only, as the patterns are; and quicker than the C library's.
char minuscule(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Where `motif` first occurs in `texte` from `depuis` on, letters in any case.
std::size_t trouver(std::string_view texte, std::string_view motif, std::size_t depuis = 0)
{
    const auto place =
        std::search(texte.begin() + static_cast<std::ptrdiff_t>(std::min(depuis, texte.size())), texte.end(),
                    motif.begin(), motif.end(), [](char a, char b) { return minuscule(a) == minuscule(b); });
    return place == texte.end() ? npos : static_cast<std::size_t>(place - texte.begin());
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
    std::string montre;
    for (const char c : texte.substr(0, limite)) {
        const unsigned char octet = static_cast<unsigned char>(c);
        const char chiffres[] = "0123456789ABCDEF";
        if (octet < 0x20 || octet > 0x7E)
            montre += {'\\', 'x', chiffres[octet >> 4], chiffres[octet & 0xF]};
        else
            montre += c;
    }
    return texte.size() > limite ? montre + "..." : montre;
}

// The line without its comment: up to the first ';' outside double quotes.
std::string_view code_de(std::string_view ligne)
{
    for (std::size_t point_virgule = 0; (point_virgule = ligne.find(';', point_virgule)) != npos;
         ++point_virgule) {
        const std::string_view avant = ligne.substr(0, point_virgule);
        if (std::count(avant.begin(), avant.end(), '"') % 2 == 0)
            return avant;
    }
    return ligne;
}

// What a replaced line's code held besides the statements that its
// replacement stands for: an include directive with its file name, bare or
// in quotes or angle brackets; a call of GET_KEY itself, not of a longer name.
std::string perte(std::string_view code)
{
    // Most replaced lines hold their statement alone: a quick answer for them.
    for (const Regle& regle : regles)
        if (std::find(regle.motifs.begin(), regle.motifs.end(), sans_blancs(code)) != regle.motifs.end())
            return {};
    std::string reste(code);
    for (const Regle& regle : regles) {
        for (std::string_view motif : regle.motifs) {
            for (std::size_t p = 0; !motif.empty() && (p = reste.find(motif, p)) != npos;) {
                std::size_t debut = p, fin = p + motif.size();
                if (&regle == &appel && fin < reste.size() && dans_un_nom(reste[fin])) {
                    p = fin;
                    continue;
                }
                const char avant = debut > 0 ? reste[debut - 1] : 0,
                           apres = fin < reste.size() ? reste[fin] : 0;
                if ((avant == '"' && apres == '"') || (avant == '<' && apres == '>'))
                    --debut, ++fin;
                reste.erase(debut, fin - debut);
                p = debut;
                if (&regle == &inclusion)
                    for (std::string_view directive : {"#include", ".include"})
                        if (const std::size_t d = trouver(reste, directive); d != npos)
                            reste.erase(d, directive.size());
            }
        }
    }
    return std::string(sans_blancs(reste));
}

// The first text in `code` that looks like a call of GET_KEY or like the name
// of a crash header, and why the rules did not take it; no reason if none.
std::pair<std::string_view, const char*> presque(std::string_view code)
{
    for (std::size_t p = 0; (p = trouver(code, "call", p)) != npos; p += 4) {
        std::size_t q = p + 4;
        while (q < code.size() && blanc(code[q]))
            ++q;
        if ((p > 0 && dans_un_nom(code[p - 1])) || q == p + 4 || trouver(code.substr(q, 7), "get_key") != 0 ||
            (q + 7 < code.size() && dans_un_nom(code[q + 7])))
            continue;
        const std::string_view mot = code.substr(p, 4), espace = code.substr(p + 4, q - p - 4);
        const bool casse = (mot != "call" && mot != "CALL") || code.substr(q, 7) != "GET_KEY";
        const bool espacement = espace != " " && !(espace == "\t" && mot == "call");
        return {code.substr(p, q + 7 - p), casse && espacement ? "casse et espacement"
                                           : casse             ? "casse"
                                                               : "espacement"};
    }
    for (std::string_view nom : {"crash82.inc", "crash.inc", "ti82.h"})
        if (const std::size_t p = trouver(code, nom); p != npos)
            return {code.substr(p, nom.size()), nom == "crash82.inc" ? "autre en-tete" : "casse"};
    return {{}, nullptr};
}

std::string compte(std::size_t nombre, const char* singulier, const char* pluriel)
{
    return std::to_string(nombre) + " " + (nombre > 1 ? pluriel : singulier);
}

} // namespace

void Rapport::examiner(std::size_t numero, std::string_view ligne, const Places& places)
{
    if (!ligne.empty() && ligne.back() == '\n')
        ligne.remove_suffix(1);
    const std::string_view code = code_de(ligne);
    bool remplacee = false;
    for (std::size_t i = 0; i < regles.size(); ++i) {
        // No pattern holds a ';': one that starts in the code ends there.
        const std::string_view remplacement = regles[i].remplacement;
        if (places[i] >= 0 && static_cast<std::size_t>(places[i]) >= code.size())
            constater(numero, "ligne remplacee par " +
                                  std::string(sans_blancs(remplacement.substr(0, remplacement.size() - 1))) +
                                  " a cause de son commentaire : " + extrait(ligne.substr(code.size())));
        remplacee = remplacee || places[i] >= 0;
    }
    if (remplacee) {
        ++remplacees_;
        if (const std::string perdu = perte(code); !perdu.empty())
            constater(numero, "ligne remplacee, texte perdu : " + extrait(perdu));
    } else if (const auto [texte, raison] = presque(code); raison != nullptr) {
        constater(numero, std::string("non converti (") + raison + ") : " + extrait(texte));
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
        texte += montre + ":" + std::to_string(constat.ligne) + ": attention: " + constat.texte + "\n";
    texte += montre + " : " + compte(remplacees_, "ligne remplacee", "lignes remplacees") + ", " +
             compte(avertissements_, "avertissement", "avertissements");
    if (avertissements_ > constats_.size())
        texte += " (" + std::to_string(avertissements_ - constats_.size()) + " non affiches)";
    texte += "\n";
    return std::fputs(texte.c_str(), sortie) >= 0 && std::fflush(sortie) == 0;
}
