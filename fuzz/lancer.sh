#!/usr/bin/env bash
# Runs each fuzz target for SECONDES seconds (default 60), starting from the
# seeds in fuzz/graines/ (and examples/ for the conversion), and fails on the
# first finding. Build first with
#   cmake --preset fuzz && cmake --build --preset fuzz
# New inputs go to build-fuzz/corpus/, kept from one run to the next; each
# run's full output goes to build-fuzz/fuzz_CIBLE.log, and a failing input to
# build-fuzz/.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
secondes=${1:-60}
for cible in recherche conversion; do
    corpus="$racine/build-fuzz/corpus/$cible"
    journal="$racine/build-fuzz/fuzz_$cible.log"
    graines=("$racine/fuzz/graines/$cible")
    [ "$cible" = conversion ] && graines+=("$racine/examples")
    mkdir -p "$corpus"
    echo "== fuzz_$cible, $secondes s"
    if ! "$racine/build-fuzz/fuzz/fuzz_$cible" -max_total_time="$secondes" -max_len=4096 -print_final_stats=1 \
        -artifact_prefix="$racine/build-fuzz/" "$corpus" "${graines[@]}" 2> "$journal"; then
        tail -n 40 "$journal"
        echo "fuzz_$cible: echec, voir $journal" >&2
        exit 1
    fi
    grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$journal"
done
