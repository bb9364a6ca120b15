#!/usr/bin/env bash
# smoke_test.sh VANTREL_EXE WINPROBE_EXE OUT_DIR — run inside tools/wine/with-wine.sh.
#
# Starts vantrel.exe, waits for its three windows with the right client sizes and
# no frame, closes the main window and expects the process to exit with status 0.
# On failure the window list and a screenshot are left in OUT_DIR. Every wait is
# bounded; vantrel.exe is ended by its PID on every path.
set -u
vantrel=$1 winprobe=$2 out=$3
mkdir -p "$out"
. "$(dirname "$0")/vantrel_process.sh"

fail() {
    echo "smoke: $*" >&2
    wine "$winprobe" list >"$out/windows.txt" 2>&1
    wine "$winprobe" screenshot "$out/screen.png" >/dev/null 2>&1
    echo "smoke: window list and screenshot in $out" >&2
    exit 1
}
trap stop_vantrel EXIT

wine "$vantrel" &
vantrel_pid=$!

shown=$(wine "$winprobe" wait --deadline-ms 60000 VXMain VXDetail VXPlayer) ||
    fail "the three windows did not all become visible"
echo "$shown"

# expect_window CAPTION WxH
expect_window() {
    local line
    line=$(printf '%s\n' "$shown" | grep -E " caption=$1\$") || fail "$1 is missing"
    case $line in *" client=$2 "*) ;; *) fail "$1: expected client $2, got: $line" ;; esac
    case $line in *" frame=0 "*) ;; *) fail "$1 has a frame: $line" ;; esac
}
expect_window VXMain 128x526
expect_window VXDetail 460x83
expect_window VXPlayer 460x83

wine "$winprobe" close VXMain || fail "could not post WM_CLOSE to VXMain"

wait_for_vantrel 30
status=$?
[ $status -ne 124 ] || fail "vantrel.exe still running 30 s after VXMain was closed"
[ $status -eq 0 ] || fail "vantrel.exe exited with status $status"
echo "smoke: vantrel.exe showed its windows and exited when VXMain was closed"
