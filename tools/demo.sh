#!/usr/bin/env bash
# The program on its embedded default: the stand-in game and Vantrel side by side
# under Wine. With a display (DISPLAY set) they open there; without one they run on
# a private Xvfb desktop for a while and a screenshot is written to demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
build=$PWD/build/windows
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

run_side_by_side() {
    wine "$build/sim/table.exe" --seed "${SEED:-1}" --hands "${HANDS:-20}" --log "$build/demo-hands.log" &
    local table=$!
    wine "$build/src/app/vantrel.exe" &
    local vantrel=$!
    if [ "${1:-}" = screenshot ]; then
        sleep "${DEMO_SECONDS:-25}"
        import -window root "$PWD/demo.png" && echo "screenshot: $PWD/demo.png"
        kill "$vantrel" "$table" 2>/dev/null || true
    else
        wait "$vantrel" || true
        kill "$table" 2>/dev/null || true
    fi
    wait 2>/dev/null || true
}

if [ -n "${DISPLAY:-}" ]; then
    [ -d "$WINEPREFIX" ] || wineboot -i
    run_side_by_side
    wineserver -k || true
else
    export -f run_side_by_side
    export build
    tools/wine/with-wine.sh --prefix "$WINEPREFIX" --timeout 300 -- bash -c 'run_side_by_side screenshot'
fi
