#!/usr/bin/env bash
# long-session.sh: vantrel.exe beside the stand-in under Wine for a long series of
# hands on a short clock, every move checked against the table's log off the
# screen. Every EVERY hands it prints a row: hands played, vantrel.exe's working
# set, its live GDI and USER objects, its processor time and the differences from
# the log so far; then whether the working set grew less than 1 MB from the first
# row to the last, the object counts stayed flat and nothing differed (exit
# status 0 when all hold). A command, not a test: 300 hands take about 80 minutes.
#
#   tools/long-session.sh [HANDS [EVERY]]      defaults: 300 hands, a row every 50
#
# Builds what it runs first; runs on a private Xvfb desktop (with-wine.sh) at low
# priority, in a Wine prefix of its own so that the Wine tests can run meanwhile.
# The work folder is build/windows/long-session.
set -euo pipefail
cd "$(dirname "$0")/.."
hands=${1:-300}
every=${2:-50}
tools/install-deps.sh
cmake --preset windows >/dev/null
nice cmake --build --preset windows --target vantrel table long_session
build=$PWD/build/windows
# Half a minute a hand is far more than the clock needs: the bound only stops a hung run.
timeout=$((hands * 30 + 300))
work=$build/long-session
mkdir -p "$work"
exec nice tools/wine/with-wine.sh --prefix "$work/wineprefix" --timeout "$timeout" -- \
    wine "$build/tests/e2e/long_session.exe" "$build/src/app/vantrel.exe" "$build/sim/table.exe" \
    "$work" "$hands" "$every"
