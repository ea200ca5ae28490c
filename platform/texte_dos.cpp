#include "platform/texte_dos.hpp"

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

namespace {

constexpr std::size_t taille_bloc = 256 * 1024;
constexpr char fin_de_fichier = '\x1A';

// The size of `octets` up to and including its last LF; 0 if it has none.
std::size_t jusqu_au_dernier_lf(const char* octets, std::size_t taille)
{
    while (taille > 0 && octets[taille - 1] != '\n')
        --taille;
    return taille;
}

} // namespace

void Tampon::agrandir(std::size_t taille, std::size_t gardes)
{
    std::unique_ptr<char[], Liberation> octets(allouer(taille));
    std::memcpy(octets.get(), octets_.get(), gardes);
    octets_ = std::move(octets);
    taille_ = taille;
}

// Room for a block after the margin and what is left of the block before.
LecteurDos::LecteurDos(std::FILE* fichier) : fichier_(fichier), tampon_(2 * taille_bloc) {}

bool LecteurDos::lire_lignes(std::string_view& lignes)
{
    for (;;) {
        if (erreur_)
            return false;
        const char* const debut = tampon_.data() + debut_;
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
    // The bytes not yet handed out go to the front, after the margin, but so
    // that the block read after them begins on a cache line: the system
    // copies it faster.
    const std::size_t gardes = fin_ - debut_;
    const std::size_t avant = marge + (Tampon::alignement - gardes % Tampon::alignement) % Tampon::alignement;
    if (debut_ != avant) {
        std::memmove(tampon_.data() + avant, tampon_.data() + debut_, gardes);
        debut_ = avant;
        fin_ = avant + gardes;
    }
    // Twice as large each time, so that a long line is copied a few times
    // only; as fin_ is at most its size, a block's room is then left.
    if (tampon_.size() - fin_ < taille_bloc)
        tampon_.agrandir(2 * tampon_.size(), fin_);

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

bool finit_par_lf_seul(std::string_view ligne)
{
    return !ligne.empty() && ligne.back() == '\n' && (ligne.size() < 2 || ligne[ligne.size() - 2] != '\r');
}

std::string_view premiere_ligne(std::string_view lignes)
{
    const std::size_t lf = lignes.find('\n');
    return lf == std::string_view::npos ? lignes : lignes.substr(0, lf + 1);
}

void decoder_ligne(std::string_view ligne, std::string& texte)
{
    texte.assign(ligne);
    const std::size_t n = texte.size();
    if (n >= 2 && texte[n - 2] == '\r' && texte[n - 1] == '\n')
        texte.erase(n - 2, 1);
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

void EcrivainDos::recopier(std::string_view lignes, bool lf_seul)
{
    if (!lf_seul && du_bloc(lignes)) {
        // Lines come in order: ecrit_ <= lu_ <= lignes.data().
        if (ecrit_ != lignes.data())
            std::memmove(ecrit_, lignes.data(), lignes.size());
        ecrit_ += lignes.size();
        lu_ = lignes.data() + lignes.size();
        return;
    }
    quitter_sur_place();
    if (!lf_seul) {
        placer(lignes.data(), lignes.size());
        return;
    }
    while (!lignes.empty()) {
        const std::string_view ligne = premiere_ligne(lignes);
        const bool sans_cr = finit_par_lf_seul(ligne);
        placer(ligne.data(), ligne.size() - sans_cr);
        if (sans_cr)
            placer("\r\n", 2);
        lignes.remove_prefix(ligne.size());
    }
}

void EcrivainDos::remplacer(std::string_view ligne, std::string_view texte)
{
    if (zone_ != nullptr) {
        lu_ = std::max(lu_, ligne.data() + ligne.size());
        if (texte.size() <= static_cast<std::size_t>(lu_ - ecrit_)) {
            std::memcpy(ecrit_, texte.data(), texte.size());
            ecrit_ += texte.size();
            return;
        }
    }
    quitter_sur_place();
    placer(texte.data(), texte.size());
}

void EcrivainDos::sur_place(LecteurDos& source, std::string_view lignes)
{
    finir_sur_place();
    if (fichier_ == nullptr || lignes.empty())
        return;
    char* const octets = source.a_reecrire(lignes);
    lu_ = octets;
    fin_bloc_ = octets + lignes.size();
    zone_ = ecrit_ = octets - LecteurDos::marge;
}

void EcrivainDos::finir_sur_place()
{
    if (zone_ == nullptr)
        return;
    envoyer();
    const auto taille = static_cast<std::size_t>(ecrit_ - zone_);
    if (taille > 0 && std::fwrite(zone_, 1, taille, fichier_) != taille)
        erreur_ = true;
    zone_ = nullptr;
}

// Whether `lignes` lie in the block written in place, after the lines passed;
// std::less_equal orders any two pointers, of the block or not.
bool EcrivainDos::du_bloc(std::string_view lignes) const
{
    const std::less_equal<const char*> pas_apres;
    return zone_ != nullptr && pas_apres(lu_, lignes.data()) &&
           pas_apres(lignes.data() + lignes.size(), fin_bloc_);
}

// Goes on in the writer's buffer, with what was written in place.
void EcrivainDos::quitter_sur_place()
{
    if (zone_ == nullptr)
        return;
    char* const zone = zone_;
    zone_ = nullptr;
    placer(zone, static_cast<std::size_t>(ecrit_ - zone));
}

bool EcrivainDos::vider()
{
    finir_sur_place();
    envoyer();
    if (fichier_ != nullptr && std::fflush(fichier_) != 0)
        erreur_ = true;
    return !erreur_;
}

void EcrivainDos::placer(const char* octets, std::size_t taille)
{
    if (fichier_ == nullptr)
        return;
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
