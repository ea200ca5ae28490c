#include "platform/texte_dos.hpp"

#include "platform/console.hpp"

#include <cstring>
#include <utility>

namespace {

constexpr std::size_t taille_bloc = 512 * 1024;
constexpr char fin_de_fichier = '\x1A';

// The size of `octets` up to and including its last LF; 0 if it has none.
std::size_t jusqu_au_dernier_lf(const char* octets, std::size_t taille)
{
    while (taille > 0 && octets[taille - 1] != '\n')
        --taille;
    return taille;
}

} // namespace

// Room for a block and what is left of the block before.
LecteurDos::LecteurDos(std::FILE* fichier)
    : fichier_(fichier), tampon_(new char[2 * taille_bloc]), taille_(2 * taille_bloc)
{
}

bool LecteurDos::lire_lignes(std::string_view& lignes)
{
    for (;;) {
        if (erreur_)
            return false;
        const char* const debut = tampon_.get() + debut_;
        const std::size_t disponible = fin_ - debut_;
        const std::size_t entieres = jusqu_au_dernier_lf(debut + examine_, disponible - examine_);
        const std::size_t longueur = entieres > 0 ? examine_ + entieres : fin_texte_ ? disponible : 0;
        if (longueur > 0) {
            debut_ += longueur;
            examine_ = 0;
            lignes = std::string_view(debut, longueur);
            return true;
        }
        if (fin_texte_)
            return false;
        examine_ = disponible;
        remplir();
    }
}

void LecteurDos::remplir()
{
    // The bytes not yet handed out go to the front.
    const std::size_t gardes = fin_ - debut_;
    if (debut_ > 0) {
        std::memmove(tampon_.get(), tampon_.get() + debut_, gardes);
        debut_ = 0;
        fin_ = gardes;
    }
    // Twice as large each time, so that a long line is copied a few times
    // only; as fin_ is at most its size, a block's room is then left.
    if (taille_ - fin_ < taille_bloc) {
        std::unique_ptr<char[]> plus_grand(new char[2 * taille_]);
        std::memcpy(plus_grand.get(), tampon_.get(), fin_);
        tampon_ = std::move(plus_grand);
        taille_ *= 2;
    }

    char* const nouveau = tampon_.get() + fin_;
    std::size_t lu = std::fread(nouveau, 1, taille_bloc, fichier_);
    // An input left non-blocking that has nothing yet is waited for.
    while (lu < taille_bloc && std::ferror(fichier_) && attendre_entree(fichier_)) {
        std::clearerr(fichier_);
        lu += std::fread(nouveau + lu, 1, taille_bloc - lu, fichier_);
    }
    if (lu < taille_bloc) {
        fin_texte_ = true;
        erreur_ = std::ferror(fichier_) != 0;
    }
    if (void* z = std::memchr(nouveau, fin_de_fichier, lu)) {
        lu = static_cast<std::size_t>(static_cast<char*>(z) - nouveau);
        fin_texte_ = true;
    }
    fin_ += lu;
}

void EcrivainDos::ajouter(std::string_view texte)
{
    if (texte.empty() || fichier_ == nullptr)
        return;
    if (nombre_ == morceaux_.size())
        envoyer();
    morceaux_[nombre_++] = {texte.data(), texte.size()};
}

// A piece at a time, as room is left in copies_.
void EcrivainDos::ecrire(std::string_view texte)
{
    char precedent = '\0';
    while (!texte.empty() && fichier_ != nullptr) {
        if (nombre_ == morceaux_.size() || copies_.size() - copie_ < 2)
            envoyer();
        char* const debut = copies_.data() + copie_;
        char* p = debut;
        std::size_t i = 0;
        for (; i < texte.size() && p + 2 <= copies_.data() + copies_.size(); ++i) {
            if (texte[i] == '\n' && precedent != '\r')
                *p++ = '\r';
            *p++ = precedent = texte[i];
        }
        copie_ += static_cast<std::size_t>(p - debut);
        morceaux_[nombre_++] = {debut, static_cast<std::size_t>(p - debut)};
        texte.remove_prefix(i);
    }
}

void EcrivainDos::envoyer()
{
    if (nombre_ > 0 && !ecrire_morceaux(fichier_, morceaux_.data(), nombre_))
        erreur_ = true;
    nombre_ = 0;
    copie_ = 0;
}

bool EcrivainDos::vider()
{
    envoyer();
    if (fichier_ != nullptr && std::fflush(fichier_) != 0)
        erreur_ = true;
    return !erreur_;
}
