#!/usr/bin/env bash
# fault_depth.sh VANTREL_EXE TABLE_EXE FAULT_DEPTH_EXE WORK_DIR — run inside
# tools/wine/with-wine.sh --depth 16.
#
# Starts vantrel.exe on the 16-bit screen under Wine's relay trace of the
# display-mode calls (and of nothing else), has fault_depth.exe check from inside
# the desktop that it follows a hand and closes when asked, and then expects
# vantrel.exe to have exited with status 0 and the trace to hold exactly one
# request for another display mode: the start-up's. The trace is a Unix-side
# matter (Wine writes it to the process's stderr), hence this script. Every wait
# is bounded; vantrel.exe is ended by its PID on every path, and the trace
# setting is taken out of the prefix again.
set -u
vantrel=$1 table=$2 checker=$3 work=$4
home=$work/vantrel-home
trace=$work/display-mode-calls.txt
readonly relay_key='HKCU\Software\Wine\Debug'
mkdir -p "$home"
cp "$vantrel" "$home/vantrel.exe" && rm -f "$home/Qelsetup.qes" "$trace" "$work/vantrel-pid.txt" || exit 1

. "$(dirname "$0")/../e2e/vantrel_process.sh"
fail() {
    echo "fault_depth: FAILED: $*" >&2
    exit 1
}
cleanup() {
    local status=$?
    stop_vantrel
    wine reg delete "$relay_key" /v RelayInclude /f >/dev/null 2>&1
    exit "$status"
}
trap cleanup EXIT

wine reg add "$relay_key" /v RelayInclude /f \
    /d 'ChangeDisplaySettingsA;ChangeDisplaySettingsW;ChangeDisplaySettingsExA;ChangeDisplaySettingsExW' >/dev/null ||
    fail "could not limit the relay trace to the display-mode calls"
WINEDEBUG=+pid,+relay wine "$home/vantrel.exe" 2>"$trace" &
vantrel_pid=$!

wine "$checker" "$home/vantrel.exe" "$table" "$work"
checked=$?

wait_for_vantrel 30
status=$?
[ $status -ne 124 ] || fail "vantrel.exe still running 30 s after its main window was closed"
[ $checked -eq 0 ] || fail "the checks inside the desktop failed"
[ $status -eq 0 ] || fail "vantrel.exe exited with status $status"
pid=$(cat "$work/vantrel-pid.txt") || fail "fault_depth.exe did not tell vantrel.exe's process id"
requests=$(grep -c "^$pid:[0-9a-f]*:Call user32\.ChangeDisplaySettings" "$trace")
grep "^$pid:.*user32\.ChangeDisplaySettings" "$trace"
[ "$requests" -eq 1 ] || fail "vantrel.exe asked for another display mode $requests times, not once"
echo "fault_depth: one display-mode request on the 16-bit screen, and the hand followed"
