#!/usr/bin/env bash
# Times crash2vep against GNU sed doing the same conversion, and against a
# plain copy of the source, the limit of any converter that reads and writes
# the file.
#
#   bench/bench.sh [MEGAOCTETS...]      (default: 200 400)
#
# For each size, makes a crash-style source of that many megabytes (copies of
# bench/modele.asm), then takes RUNS rounds (default 5). Each round is one
# hyperfine run of the three commands in turn, one run each: the whole program
# through its dialogue (the answers piped in, tasm and the converter tool
# absent, so that it ends with status 3, the report kept aside), sed with
# bench/vep.sed, and a copy in 1 MiB blocks (dd). So the program and the copy are timed as pairs taken in turn,
# and a machine that slows down for a while slows both. Prints the median wall
# times, how many times faster than sed the program is, the median of each
# pair's ratio of the program to the copy, and the program's peak resident
# memory from GNU time; fails if the outputs of the program and sed differ.
# The files go to a tmpfs (/dev/shm) where there is one, so that the disk's
# write-back does not blur the figures; set BENCH_DIR to choose another
# folder. CRASH2VEP names the program (default: build/crash2vep). Each round
# runs on one processor (taskset), BENCH_CPU (default: the first that the
# script may use; empty: any), so that the two runs of a pair run on the same
# one: on a virtual machine, one processor may run at a third of the other's
# speed for minutes, and a pair split across them says nothing.
set -euo pipefail
export LC_ALL=C

racine=$(cd "$(dirname "$0")/.." && pwd)
programme=$(realpath "${CRASH2VEP:-$racine/build/crash2vep}")
essais=${RUNS:-5}
parent=${BENCH_DIR:-$([ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")}

[ -x "$programme" ] || { echo "pas de programme $programme : construisez-le d'abord" >&2; exit 1; }
for outil in hyperfine /usr/bin/time; do
    command -v "$outil" > /dev/null || { echo "il manque $outil (paquets hyperfine et time)" >&2; exit 1; }
done
processeur=${BENCH_CPU-$(taskset -pc $$ 2> /dev/null | sed 's/.*: //; s/[-,].*//')}
epingle=()
if [ -n "$processeur" ] && command -v taskset > /dev/null; then
    epingle=(taskset -c "$processeur")
fi
dossier=$(mktemp -d "$parent/crash2vep-bench.XXXXXX")
trap 'rm -rf "$dossier"' EXIT

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

mediane() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One round: the wall times of the program, sed and the copy, on one line.
# No run pays for emptying another run's output.
tour() {
    "${epingle[@]}" hyperfine --runs 1 --style none --ignore-failure --export-csv tour.csv \
        --prepare 'rm -f nouveau.asm' --prepare 'rm -f sortie_sed' --prepare 'rm -f copie' \
        "'$programme' < reponses > console 2> rapport" \
        "sed -f '$racine/bench/vep.sed' < source.asm > sortie_sed" \
        'dd if=source.asm of=copie bs=1M status=none' > /dev/null 2> tour.err || { cat tour.err >&2; return 1; }
    awk -F, 'NR > 1 { printf "%s ", $2 } END { print "" }' tour.csv
}

cd "$dossier"
[ ${#epingle[@]} -eq 0 ] || echo "tours sur le processeur $processeur"
printf '%-8s %10s %9s %9s %9s %9s %14s\n' "taille" "crash2vep" "sed" "copie" "sed/prog" "prog/cop" "memoire max"
for mo in "${@:-200 400}"; do
    for m in $mo; do
        generer "$m" source.asm
        printf 'source.asm nouveau.asm nouveau\n' > reponses
        : > tours
        for _ in $(seq "$essais"); do
            tour >> tours
        done
        cmp -s nouveau.asm sortie_sed || { echo "les sorties de crash2vep et de sed different ($m Mo)" >&2; exit 1; }
        rm -f nouveau.asm
        statut=0
        /usr/bin/time -q -o memoire -f %M "$programme" < reponses > console 2> rapport || statut=$?
        # A conversion done: 3 as the tools are absent and the build fails, 0
        # where they are on the PATH.
        [ "$statut" -eq 3 ] || [ "$statut" -eq 0 ] || { echo "crash2vep a fini avec le statut $statut ($m Mo)" >&2; exit 1; }
        kio=$(cat memoire)
        tp=$(awk '{ print $1 }' tours | mediane); ts=$(awk '{ print $2 }' tours | mediane)
        tc=$(awk '{ print $3 }' tours | mediane); rc=$(awk '{ print $1 / $3 }' tours | mediane)
        printf '%-8s %9.3fs %8.3fs %8.3fs %8.1fx %8.2fx %10s Kio\n' "$m Mo" "$tp" "$ts" "$tc" \
            "$(awk -v a="$ts" -v b="$tp" 'BEGIN { print a / b }')" "$rc" "$kio"
        rm -f source.asm nouveau.asm sortie_sed copie VEP.bat rapport console tour.csv tour.err memoire
    done
done
