#!/bin/bash
# bench/whole_removal.sh: the wall time of a whole silent removal of the demo installation
# ("tido.exe -qn -rp -rd") beside the fixed pauses the removal prescribes (the 5,000 ms wait
# after stopping the update services), measured in the same run. The tool's own work is the
# wall time less the pauses; it should take less time than the pauses.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
rounds="${1:-2}"
tools/setup >/dev/null
cmake --preset windows >/dev/null
cmake --build --preset windows --target tido runner corla_package test_service >/dev/null
source tools/wine-env
pauses_ms=5000

for round in $(seq 1 "$rounds"); do
    tido_wine_env "$root/build/bench-removal"
    tido_wine_server_stop
    rm -rf "$TIDO_WINE_BASE"
    tido_wine_env "$root/build/bench-removal"
    tido_wine_prefix
    tido_wine_server_start
    source tools/demo-machine
    stage >/dev/null
    start=$(date +%s%N)
    wine "$build/runner.exe" "$(win "$build/tido.exe")" -qn -rp -rd </dev/null >/dev/null 2>&1
    wall_ms=$(( ($(date +%s%N) - start) / 1000000 ))
    tido_wine_server_stop
    own_ms=$(( wall_ms - pauses_ms ))
    printf 'round %d: whole removal %6d ms, fixed pauses %6d ms, own work %6d ms, own/pauses %.2f\n' \
        "$round" "$wall_ms" "$pauses_ms" "$own_ms" "$(awk -v a="$own_ms" -v b="$pauses_ms" 'BEGIN { print a / b }')"
done
