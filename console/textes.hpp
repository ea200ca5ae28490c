// Everything the tool says, and the build script it writes.
#pragma once

namespace texte {

constexpr char question_source[] = "Nom du fichier asm pour crash ou ash (oubliez pas l'extension *.asm) : ";
constexpr char question_sortie[] = "Nom du nouveau fichier asm pour vep (oubliez pas l'extension *.asm): ";
constexpr char annonce_base[] = "Entrez maintenant le nom du fichier sans l'extension asm\n";
constexpr char question_base[] = "Le nom doit etre le meme que celui du fichier pour vep entre plus haut :";

constexpr char fichier_absent[] = "ce fichier n'existe pas \n";
constexpr char nom_trop_long[] = "nom trop long, 31 caracteres au plus \n";
constexpr char nom_reserve[] = "ce nom est reserve au script VEP.bat \n";
constexpr char sortie_est_source[] = "ce fichier est le fichier source \n";
constexpr char sortie_impossible[] = "impossible de creer ce fichier \n";
constexpr char caractere_interdit[] = "caractere interdit dans ce nom \n";
constexpr char script_impossible[] = "impossible de creer VEP.bat \n";
constexpr char erreur_lecture[] = "erreur de lecture du fichier source \n";
constexpr char erreur_ecriture[] = "erreur d'ecriture du nouveau fichier \n";
constexpr char memoire_insuffisante[] = "memoire insuffisante pour une ligne du fichier source \n";
constexpr char abandon[] = "entree terminee, abandon \n";
constexpr char fin[] = "\n\n\n Conversion terminee, VEP.bat a ete execute. \n";

constexpr char nom_script[] = "VEP.bat";
constexpr char ligne_tasm[] = "tasm -b -80  -r16 %s \n";
constexpr char ligne_korvex[] = "KORVEX_modified_for_VEP.EXE %s.OBJ";

} // namespace texte
