#include "platform/texte_dos.hpp"

#include <cstring>

namespace {

constexpr std::size_t taille_bloc = 256 * 1024;
constexpr char fin_de_fichier = '\x1A';

} // namespace

LecteurDos::LecteurDos(std::FILE* fichier) : fichier_(fichier), tampon_(taille_bloc) {}

bool LecteurDos::lire_ligne(std::string_view& ligne)
{
    for (;;) {
        if (erreur_)
            return false;
        char* const debut = tampon_.data() + debut_;
        const std::size_t disponible = fin_ - debut_;
        if (void* lf = std::memchr(debut + examine_, '\n', disponible - examine_)) {
            std::size_t longueur = static_cast<std::size_t>(static_cast<char*>(lf) - debut) + 1;
            debut_ += longueur;
            examine_ = 0;
            // CR LF is one newline; a CR anywhere else is data.
            if (longueur >= 2 && debut[longueur - 2] == '\r') {
                debut[longueur - 2] = '\n';
                --longueur;
            }
            ligne = std::string_view(debut, longueur);
            return true;
        }
        examine_ = disponible;
        if (fin_texte_) {
            if (disponible == 0)
                return false;
            debut_ = fin_;
            examine_ = 0;
            ligne = std::string_view(debut, disponible);
            return true;
        }
        remplir();
    }
}

void LecteurDos::remplir()
{
    if (debut_ > 0) {
        std::memmove(tampon_.data(), tampon_.data() + debut_, fin_ - debut_);
        fin_ -= debut_;
        debut_ = 0;
    }
    if (tampon_.size() - fin_ < taille_bloc)
        tampon_.resize(fin_ + taille_bloc);

    char* const nouveau = tampon_.data() + fin_;
    std::size_t lu = std::fread(nouveau, 1, taille_bloc, fichier_);
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

EcrivainDos::EcrivainDos(std::FILE* fichier) : fichier_(fichier), tampon_(taille_bloc) {}

void EcrivainDos::ecrire(std::string_view texte)
{
    while (!texte.empty()) {
        const void* lf = std::memchr(texte.data(), '\n', texte.size());
        const std::size_t avant =
            lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - texte.data()) : texte.size();
        placer(texte.data(), avant);
        if (lf == nullptr)
            return;
        placer("\r\n", 2);
        texte.remove_prefix(avant + 1);
    }
}

bool EcrivainDos::vider()
{
    envoyer();
    if (std::fflush(fichier_) != 0)
        erreur_ = true;
    return !erreur_;
}

void EcrivainDos::placer(const char* octets, std::size_t taille)
{
    if (taille > tampon_.size() - plein_) {
        envoyer();
        if (taille >= tampon_.size()) {
            if (std::fwrite(octets, 1, taille, fichier_) != taille)
                erreur_ = true;
            return;
        }
    }
    std::memcpy(tampon_.data() + plein_, octets, taille);
    plein_ += taille;
}

void EcrivainDos::envoyer()
{
    if (plein_ > 0 && std::fwrite(tampon_.data(), 1, plein_, fichier_) != plein_)
        erreur_ = true;
    plein_ = 0;
}
