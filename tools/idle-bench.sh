#!/usr/bin/env bash
# idle-bench.sh: what vantrel.exe costs while it waits with no game window. A build
# of BASE and this tree's build run side by side under Wine on one private Xvfb
# display, each in its own folder and Wine prefix (one copy of the program runs
# per Wine session) with its windows apart, for SECONDS; then the CPU
# time of each process over that span (user + system, after a warm-up), as ms and
# as a share of one core, and their ratio. Last, the bytes per second the windows
# present, counted by the headless backend on its virtual clock.
#
# With --follow the same run goes on: a stand-in table (table.exe) comes up in
# each prefix with every move thought over for a minute, each program follows its
# table's hand while it waits on the first move, and the CPU time of each over a
# second SECONDS is set against its own idle figure: what following a waiting
# table costs, as a ratio.
#
#   tools/idle-bench.sh [--base COMMIT] [--seconds N] [--follow]
#
# BASE defaults to the merge base of HEAD and main. It is built from `git archive`
# in build/idle-bench/base-<commit> (kept for later runs); this tree's vantrel.exe
# is built in build/windows. A benchmark, not a test: the figures depend on the
# machine's load, so run it on a quiet machine and read them side by side.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bench=$root/build/idle-bench

measure() {
    local base_exe=$1 new_exe=$2 seconds=$3 table_exe=${4:-}
    local ticks
    ticks=$(getconf CLK_TCK)
    # One copy runs per Wine session, so the base build has a Wine prefix (and
    # wineserver) of its own on the same display, and its own table beside it.
    local base_prefix=$bench/wineprefix-base
    [ -d "$base_prefix" ] || WINEPREFIX=$base_prefix WINEDLLOVERRIDES=mscoree,mshtml= wineboot -i >/dev/null 2>&1
    # Settings records 1 to 4 (twips; the game's in pixels) so that the two
    # programs' windows and their games' stand apart and none covers another.
    le16() { printf '\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)); }
    place() {
        local dir=$1 exe=$2 x=$3 game_y=$4
        rm -rf "$dir" && mkdir -p "$dir" && cp "$exe" "$dir/vantrel.exe"
        printf '%b' "$(le16 "$x")$(le16 120)$(le16 "$x")$(le16 9600)$(le16 $((x + 7020)))$(le16 9600)$(le16 1400)$(le16 "$game_y")" \
            >"$dir/Qelsetup.qes"
    }
    cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
    place "$bench/run-base" "$base_exe" 120 8
    place "$bench/run-new" "$new_exe" 2400 640
    (cd "$bench/run-base" && WINEPREFIX=$base_prefix exec wine ./vantrel.exe) &
    local base_pid=$!
    (cd "$bench/run-new" && exec wine ./vantrel.exe) &
    local new_pid=$!
    sleep 10  # start-up, fonts and the first presents
    local base_start new_start
    base_start=$(cpu_ticks "$base_pid")
    new_start=$(cpu_ticks "$new_pid")
    sleep "$seconds"
    local base_ms=$(( ($(cpu_ticks "$base_pid") - base_start) * 1000 / ticks ))
    local new_ms=$(( ($(cpu_ticks "$new_pid") - new_start) * 1000 / ticks ))
    report idle "$seconds" "$base_ms" "$new_ms"
    if [ -n "$table_exe" ]; then
        # The deal comes after the table's opening pause (3 s) and the first-mover
        # sign 0.8 s later; the first move a minute after that.
        local table_args=(--hands 1 --think-ms 60000-60000)
        (cd "$bench/run-base" && WINEPREFIX=$base_prefix exec wine "$table_exe" "${table_args[@]}" --log hands.log) &
        local base_table_pid=$!
        (cd "$bench/run-new" && exec wine "$table_exe" "${table_args[@]}" --log hands.log) &
        local new_table_pid=$!
        sleep 8
        base_start=$(cpu_ticks "$base_pid")
        new_start=$(cpu_ticks "$new_pid")
        sleep "$seconds"
        local base_follow_ms=$(( ($(cpu_ticks "$base_pid") - base_start) * 1000 / ticks ))
        local new_follow_ms=$(( ($(cpu_ticks "$new_pid") - new_start) * 1000 / ticks ))
        kill "$base_table_pid" "$new_table_pid"
        report "following a table that waits on a move," "$seconds" "$base_follow_ms" "$new_follow_ms"
        awk -v bi="$base_ms" -v ni="$new_ms" -v bf="$base_follow_ms" -v nf="$new_follow_ms" 'BEGIN {
            print "following / idle:"
            if (bi > 0) printf "  base  %.1f\n", bf / bi; else print "  base  idle below the resolution"
            if (ni > 0) printf "  new   %.1f\n", nf / ni; else print "  new   idle below the resolution"
        }'
    fi
    kill "$base_pid" "$new_pid"
    wait "$base_pid" "$new_pid" 2>/dev/null || true
    WINEPREFIX=$base_prefix wineserver -k 2>/dev/null || true
}

report() {
    awk -v what="$1" -v s="$2" -v b="$3" -v n="$4" 'BEGIN {
        printf "%s %d s under Wine, CPU time of vantrel.exe (resolution 10 ms):\n", what, s
        printf "  base  %6d ms  %.3f%% of a core\n", b, b / (s * 10)
        printf "  new   %6d ms  %.3f%% of a core\n", n, n / (s * 10)
        if (n > 0) printf "  base / new: %.1f\n", b / n; else print "  base / new: new below the resolution"
    }'
}

if [ "${1:-}" = --measure ]; then
    measure "$2" "$3" "$4" "${5:-}"
    exit
fi

base=$(git merge-base HEAD main)
seconds=60
follow=
while [ $# -gt 0 ]; do
    case $1 in
        --base) base=$(git rev-parse "${2:?--base needs a commit}"); shift 2 ;;
        --seconds) seconds=${2:?--seconds needs a number}; shift 2 ;;
        --follow) follow=1; shift ;;
        *) echo "usage: $0 [--base COMMIT] [--seconds N] [--follow]" >&2; exit 2 ;;
    esac
done

tools/install-deps.sh
base_tree=$bench/base-$(git rev-parse --short "$base")
if [ ! -f "$base_tree/build/windows/src/app/vantrel.exe" ]; then
    mkdir -p "$base_tree"
    git archive "$base" | tar -x -C "$base_tree"
    (cd "$base_tree" && cmake --preset windows >/dev/null && nice cmake --build --preset windows --target vantrel)
fi
cmake --preset windows >/dev/null
nice cmake --build --preset windows --target vantrel ${follow:+table}
cmake --preset native-release >/dev/null
nice cmake --build --preset native-release --target vantrel-idle-presents

echo "base $(git rev-parse --short "$base"), new $(git rev-parse --short HEAD)$(git diff --quiet HEAD || echo ' with changes')"
tools/wine/with-wine.sh --prefix "$bench/wineprefix" --screen 2400x1300 --timeout $((2 * seconds + 120)) -- \
    "$0" --measure "$base_tree/build/windows/src/app/vantrel.exe" "$root/build/windows/src/app/vantrel.exe" "$seconds" \
    ${follow:+"$root/build/windows/sim/table.exe"}
echo "presented by the new build's windows (headless backend, virtual clock):"
build/native-release/tools/bench/vantrel-idle-presents "$seconds"
