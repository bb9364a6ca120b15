#!/usr/bin/env bash
# with-wine.sh: runs one command on a private, headless Wine desktop and leaves
# nothing running behind it.
#
#   with-wine.sh --prefix DIR [--screen WxH] [--depth BITS] [--dpi DPI] [--timeout SECONDS] [--] COMMAND [ARG...]
#
# Starts Xvfb (1280x1024 unless --screen says otherwise, 24 bits per pixel unless
# --depth says 8, 15, 16 or 24)
# on the first free display from :90 up, sets the display scale to --dpi (96
# unless said), exports
# DISPLAY, WINEPREFIX=DIR and WINEDEBUG=-all, creates the prefix with
# `wineboot -i` if it does not exist yet (once; later runs reuse it) with no
# window left to a window manager (there is none), and runs COMMAND. Whatever way it ends (exit, failure, timeout, Ctrl+C or a signal),
# the command is ended by its PID, the prefix's Wine processes with
# `wineserver -k`, and Xvfb by its PID. Every wait has a deadline. Runs that
# share a prefix must not overlap: `wineserver -k` ends the whole prefix.
#
# Exit status: COMMAND's, or 124 when it outran --timeout (default 120 s), or
# 125 when the desktop could not be set up.
#
# Chinese in Wine's own captions and tooltips is drawn with WenQuanYi Zen Hei,
# linked to Wine's faces once per prefix.
#
# Needs: xvfb, wine64, fonts-wqy-zenhei (Debian packages).
set -u

readonly script_name=${0##*/}
prefix=${WINEPREFIX:-}
timeout_seconds=120
depth=24
screen=1280x1024
dpi=96

die() {
    echo "$script_name: $*" >&2
    exit 125
}

while [ $# -gt 0 ]; do
    case $1 in
        --prefix) prefix=${2:?--prefix needs a folder}; shift 2 ;;
        --timeout) timeout_seconds=${2:?--timeout needs seconds}; shift 2 ;;
        --depth) depth=${2:?--depth needs bits per pixel}; shift 2 ;;
        --screen) screen=${2:?--screen needs WIDTHxHEIGHT}; shift 2 ;;
        --dpi) dpi=${2:?--dpi needs dots per inch}; shift 2 ;;
        --) shift; break ;;
        -*) die "unknown option $1" ;;
        *) break ;;
    esac
done
[ $# -gt 0 ] || die "usage: $script_name --prefix DIR [--screen WxH] [--depth BITS] [--dpi DPI] [--timeout SECONDS] [--] COMMAND [ARG...]"
case $dpi in *[!0-9]* | '') die "--dpi takes a whole number" ;; esac
case $depth in 8 | 15 | 16 | 24) ;; *) die "--depth must be 8, 15, 16 or 24" ;; esac
[[ $screen =~ ^[1-9][0-9]*x[1-9][0-9]*$ ]] || die "--screen takes WIDTHxHEIGHT, such as 5120x1440"
[ -n "$prefix" ] || die "no prefix: pass --prefix DIR or export WINEPREFIX"
for tool in Xvfb wine wineboot wineserver; do
    command -v "$tool" >/dev/null || die "$tool not found (apt-get install wine64 xvfb)"
done

mkdir -p "$prefix" || die "cannot create $prefix"
prefix=$(cd "$prefix" && pwd)
export WINEPREFIX=$prefix WINEDEBUG=-all
# No Mono or Gecko installer dialogs (nobody is there to answer them), and no
# menu entries or file associations written into the host's home folder.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WAYLAND_DISPLAY

xvfb_pid=
command_pid=

# stop_process PID: TERM, up to 5 s to go, then KILL. Only ever our own children.
stop_process() {
    local pid=$1 deadline=$((SECONDS + 5))
    [ -n "$pid" ] || return 0
    kill -TERM "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
    while kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

cleanup() {
    local status=$?
    trap - EXIT INT TERM HUP
    stop_process "$command_pid"
    # Before Xvfb, so that none of the prefix's processes loses its display while
    # still running.
    end_wine_server
    stop_process "$xvfb_pid"
    exit "$status"
}
# end_wine_server: ends the prefix's server, its services (explorer, services,
# winedevice) and whatever Windows programs ran in it, and waits, bounded, until
# it is gone. A server that does not go within its 10 s is killed outright: one
# left behind would take the next run's programs onto a desktop whose display
# is already gone, where no window can be created.
end_wine_server() {
    timeout 10 wineserver -k >/dev/null 2>&1
    timeout 10 wineserver -w >/dev/null 2>&1 && return 0
    echo "$script_name: the Wine server of $prefix outlived 10 s; killing it" >&2
    timeout 5 wineserver -k9 >/dev/null 2>&1
    timeout 10 wineserver -w >/dev/null 2>&1
}

trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# run_bounded SECONDS COMMAND...: runs COMMAND in the background as command_pid and
# waits for it until the deadline; returns its status, or 124 after stopping it.
run_bounded() {
    local seconds=$1
    shift
    "$@" &
    command_pid=$!
    local deadline=$((SECONDS + seconds))
    while kill -0 "$command_pid" 2>/dev/null; do
        if [ $SECONDS -ge $deadline ]; then
            echo "$script_name: '$*' still running after ${seconds}s; stopping it" >&2
            stop_process "$command_pid"
            command_pid=
            return 124
        fi
        sleep 0.05
    done
    local status=0
    wait "$command_pid" || status=$?
    command_pid=
    return $status
}

start_xvfb() {
    local display
    for display in $(seq 90 189); do
        [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] && continue
        Xvfb ":$display" -screen 0 "${screen}x$depth" -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        local deadline=$((SECONDS + 10))
        while kill -0 "$xvfb_pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
            # The socket appears once the server listens.
            if [ -S "/tmp/.X11-unix/X$display" ]; then
                export DISPLAY=":$display"
                return 0
            fi
            sleep 0.05
        done
        # Another run took this display between the check and the start, or Xvfb failed.
        stop_process "$xvfb_pid"
        xvfb_pid=
    done
    return 1
}

# A server still up from an earlier run that was itself killed (its cleanup never
# ran) belongs to a display that is gone.
end_wine_server
start_xvfb || die "no free X display found from :90 to :189"

if [ ! -f "$prefix/system.reg" ]; then
    echo "$script_name: creating Wine prefix $prefix" >&2
    run_bounded 180 wineboot -i || die "wineboot -i failed in $prefix"
fi
# There is no window manager on this display, so no window is left to one: with
# managed windows Wine would wait (2 s, in vain) for the manager each time an
# activated window is hidden or destroyed.
readonly unmanaged_marker=$prefix/.unmanaged-windows
if [ ! -f "$unmanaged_marker" ]; then
    run_bounded 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null ||
        die "could not configure $prefix"
    touch "$unmanaged_marker"
fi

# Wine's own faces (Tahoma and the dialog fonts behind captions and tooltips) hold
# no Chinese; link them to WenQuanYi Zen Hei (fonts-wqy-zenhei), so that a title
# like the stand-in's or a tooltip shows its characters instead of boxes.
readonly cjk_marker=$prefix/.cjk-font-links
if [ ! -f "$cjk_marker" ]; then
    for face in Tahoma "Microsoft Sans Serif" "MS Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI"; do
        run_bounded 60 wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v "$face" /t REG_MULTI_SZ /d 'wqy-zenhei.ttc,WenQuanYi Zen Hei' /f >/dev/null ||
            die "could not link fonts in $prefix"
    done
    touch "$cjk_marker"
fi

# The display's scale (LogPixels: 96 is 100%, 144 is 150%). Every run states its
# own, so that one run's scale never carries over to the next in the shared prefix.
readonly dpi_marker=$prefix/.log-pixels
if [ "$(cat "$dpi_marker" 2>/dev/null)" != "$dpi" ]; then
    run_bounded 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null ||
        die "could not set $dpi dpi in $prefix"
    echo "$dpi" >"$dpi_marker"
fi

started_at=$SECONDS
status=0
run_bounded "$timeout_seconds" "$@" || status=$?
# A program that fails without a word (a crash loses what it had not flushed)
# still leaves its status and time in the test's output.
[ "$status" -eq 0 ] || echo "$script_name: '$*' ended with status $status after $((SECONDS - started_at)) s" >&2
exit "$status"
