#!/usr/bin/env bash
# Runs each fuzz target for SECONDES seconds (default 60), starting from the
# seeds in fuzz/graines/ (and examples/ for the conversion), and fails on the
# first finding. Build first with
#   cmake --preset fuzz && cmake --build --preset fuzz
# New inputs go to build-fuzz/corpus/, kept from one run to the next.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
secondes=${1:-60}
for cible in recherche conversion; do
    corpus="$racine/build-fuzz/corpus/$cible"
    mkdir -p "$corpus"
    echo "== fuzz_$cible, $secondes s"
    "$racine/build-fuzz/fuzz/fuzz_$cible" -max_total_time="$secondes" -max_len=4096 -print_final_stats=1 \
        -artifact_prefix="$racine/build-fuzz/" "$corpus" "$racine/fuzz/graines/$cible" \
        $([ "$cible" = conversion ] && echo "$racine/examples")
done
