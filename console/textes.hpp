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
constexpr char sortie_existante[] = "ce fichier existe deja : un seul fichier depose a la fois \n";
constexpr char caractere_interdit[] = "caractere interdit dans ce nom \n";
constexpr char nom_de_peripherique[] = "ce nom designe un peripherique sous Windows \n";
constexpr char nom_d_outil[] = "ce nom est celui d'un outil lance par VEP.bat \n";
constexpr char script_impossible[] = "impossible de creer VEP.bat \n";
constexpr char erreur_lecture[] = "erreur de lecture du fichier source \n";
constexpr char erreur_ecriture[] = "erreur d'ecriture du nouveau fichier \n";
constexpr char memoire_insuffisante[] = "memoire insuffisante pour une ligne du fichier source \n";
constexpr char memoire[] = "memoire insuffisante \n";
constexpr char abandon[] = "entree terminee, abandon \n";
constexpr char fin[] = "\n\n\n Conversion terminee, VEP.bat a ete execute. \n";
// Why the build failed, told with the object file's name.
constexpr char echec_commande[] = "echec de la construction : une commande de VEP.bat n'a pas abouti \n";
constexpr char objet_ancien[] = "echec de la construction : %s n'a pas ete reecrit, c'est l'ancien \n";
constexpr char echec_commande_objet_ancien[] =
    "echec de la construction : une commande de VEP.bat n'a pas abouti, et %s n'a pas ete reecrit \n";

// The command line.
constexpr char usage[] = "Usage : crash2vep [--sans-pause] [SOURCE [NOUVEAU [BASE]]]\n"
                         "        crash2vep --verifier FICHIER...\n"
                         "        crash2vep -h | --help | /? | --version\n";
constexpr char option_inconnue[] = "option inconnue : ";
constexpr char trop_d_arguments[] = "trop d'arguments\n";
constexpr char aucun_fichier[] = "--verifier attend au moins un fichier\n";
constexpr char illisible[] = "impossible de lire %s \n";

// What --help writes after the usage.
constexpr char aide[] = "\n"
                        "Porte un programme TI-82 ecrit pour crash ou ash vers VEP, puis le construit.\n"
                        "crash2vep pose trois questions :\n"
                        "  1. le nom du fichier source pour crash ou ash, avec son extension .asm ;\n"
                        "  2. le nom du nouveau fichier pour vep, avec son extension .asm ;\n"
                        "  3. ce meme nom, sans l'extension.\n"
                        "SOURCE, NOUVEAU et BASE y repondent, et la question n'est alors pas posee ;\n"
                        "si NOUVEAU finit par .asm et que BASE manque, BASE est NOUVEAU sans .asm.\n"
                        "Il ecrit le nouveau fichier converti, puis le script VEP.bat dans le dossier\n"
                        "courant (tasm sur le nouveau fichier, puis KORVEX_modified_for_VEP.EXE sur\n"
                        "le fichier objet), l'execute et attend une touche. Ce que la conversion a\n"
                        "remplace ou a pu manquer est dit sur la sortie d'erreur.\n"
                        "\n"
                        "Options :\n"
                        "  --sans-pause    n'attend pas de touche a la fin\n"
                        "  --verifier      dit seulement ce que la conversion de chaque FICHIER\n"
                        "                  remplacerait ou manquerait (- : l'entree standard),\n"
                        "                  sans rien ecrire ni lancer\n"
                        "  --              la suite n'est pas une option (un fichier -x.asm)\n"
                        "  -h, --help, /?  affiche cette aide\n"
                        "  --version       affiche la version\n"
                        "\n"
                        "Statut de sortie :\n"
                        "  0  VEP.bat a ete execute et la construction a reussi ;\n"
                        "     avec --verifier, aucun avertissement\n"
                        "  1  rien n'a ete lance (fin de l'entree, erreur de lecture ou d'ecriture,\n"
                        "     memoire insuffisante), ou la console n'a pas pu etre ecrite ;\n"
                        "     avec --verifier, au moins un avertissement\n"
                        "  2  ligne de commande incorrecte ; avec --verifier, un fichier illisible\n"
                        "  3  le nouveau fichier est ecrit et VEP.bat a ete execute, mais la\n"
                        "     construction a echoue, ce qu'une ligne dit sur la sortie d'erreur :\n"
                        "     une commande n'a pas abouti (tasm ou le convertisseur absent, par\n"
                        "     exemple), ou BASE.OBJ, deja la avant, n'a pas ete reecrit\n"
                        "\n"
                        "Manuel : man crash2vep (sous Windows : LISEZMOI.txt).\n";

constexpr char nom_script[] = "VEP.bat";
constexpr char ligne_tasm[] = "tasm -b -80  -r16 %s \n";
constexpr char ligne_korvex[] = "KORVEX_modified_for_VEP.EXE %s.OBJ";

} // namespace texte
