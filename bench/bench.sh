#!/usr/bin/env bash
# Times crash2vep against GNU sed doing the same conversion.
#
#   bench/bench.sh [MEGAOCTETS...]      (default: 200 400)
#
# For each size, makes a crash-style source of that many megabytes (copies of
# bench/modele.asm), runs the whole program on it through its dialogue (the
# answers piped in, tasm and the converter tool absent), sed with
# bench/vep.sed, and a plain copy in 1 MiB blocks (dd), in turn, RUNS times
# each (default 5). Prints the median wall times, how many times faster than
# sed the program is, how many times the copy it takes, and its peak resident
# memory; fails if the outputs of the program and sed differ. The files go to a tmpfs (/dev/shm) where there is
# one, so that the disk's write-back does not blur the figures; set BENCH_DIR
# to choose another folder. CRASH2VEP names the program (default:
# build/crash2vep).
set -euo pipefail

racine=$(cd "$(dirname "$0")/.." && pwd)
programme=$(realpath "${CRASH2VEP:-$racine/build/crash2vep}")
essais=${RUNS:-5}
parent=${BENCH_DIR:-$([ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")}
dossier=$(mktemp -d "$parent/crash2vep-bench.XXXXXX")
trap 'rm -rf "$dossier"' EXIT

[ -x "$programme" ] || { echo "pas de programme $programme : construisez-le d'abord" >&2; exit 1; }
g++ -O2 -o "$dossier/mesurer" "$racine/bench/mesurer.cpp"

# Whole copies of the model only, so that every line keeps its CR LF.
generer() {
    local octets=$(($1 * 1000 * 1000)) modele="$racine/bench/modele.asm"
    local taille copies
    taille=$(stat -c %s "$modele")
    copies=$(( (octets + taille - 1) / taille ))
    cp "$modele" "$dossier/bloc"
    while [ $(( $(stat -c %s "$dossier/bloc") / taille )) -lt "$copies" ]; do
        cat "$dossier/bloc" "$dossier/bloc" > "$dossier/double" && mv "$dossier/double" "$dossier/bloc"
    done
    head -c $((copies * taille)) "$dossier/bloc" > "$2"
    rm -f "$dossier/bloc"
}

mediane() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

cd "$dossier"
printf '%-8s %10s %9s %9s %9s %9s %14s\n' "taille" "crash2vep" "sed" "copie" "sed/prog" "prog/cop" "memoire max"
for mo in "${@:-200 400}"; do
    for m in $mo; do
        generer "$m" source.asm
        printf 'source.asm nouveau.asm nouveau\n' > reponses
        : > temps_programme; : > temps_sed; : > temps_copie; : > memoire
        for _ in $(seq "$essais"); do
            # No run pays for emptying another run's output.
            rm -f nouveau.asm sortie_sed copie
            read -r t kio < <(./mesurer reponses console "$programme" 2> rapport)
            echo "$t" >> temps_programme; echo "$kio" >> memoire
            read -r t _ < <(./mesurer source.asm sortie_sed sed -f "$racine/bench/vep.sed")
            echo "$t" >> temps_sed
            read -r t _ < <(./mesurer source.asm copie dd bs=1M status=none)
            echo "$t" >> temps_copie
        done
        cmp -s nouveau.asm sortie_sed || { echo "les sorties de crash2vep et de sed different ($m Mo)" >&2; exit 1; }
        tp=$(mediane < temps_programme); ts=$(mediane < temps_sed); tc=$(mediane < temps_copie)
        printf '%-8s %9ss %8ss %8ss %8sx %8sx %10s Kio\n' "$m Mo" "$tp" "$ts" "$tc" \
            "$(awk -v a="$ts" -v b="$tp" 'BEGIN { printf "%.1f", a / b }')" \
            "$(awk -v a="$tp" -v b="$tc" 'BEGIN { printf "%.2f", a / b }')" "$(sort -n memoire | tail -1)"
        rm -f source.asm nouveau.asm sortie_sed copie VEP.bat rapport
    done
done
