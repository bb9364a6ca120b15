#!/usr/bin/env bash
# screenshot.sh: photographs the program as a player sees it. The stand-in game
# (table.exe) and vantrel.exe run side by side under Wine on a private Xvfb
# desktop; once a hand is under way, with the pointer resting on the main
# window's detail button so that its tooltip shows, the script saves
#
#   docs/screenshot.png          the whole desktop
#   docs/vxmain-2x.png           the main window, enlarged 2x pixel for pixel
#   docs/vxdetail-2x.png         the detail window, 2x
#   docs/vxplayer-2x.png         the player window, 2x
#
# With DPI set (120, 144, 168 or 192) the desktop runs at that display scale, on a
# screen the scaled windows fit, and the script saves instead
#
#   docs/screenshot-<percent>.png   the whole desktop
#   docs/closeup-<percent>.png      the top of the main window, pixel for pixel
#
# Needs the windows preset built (tools/test.sh or tools/demo.sh build it).
# Settings: SEED (the stand-in's series, default 1), SHOT_SECONDS (how long the
# hand runs before the photograph, default 20), DPI (default 96).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build/windows
for program in sim/table.exe src/app/vantrel.exe tests/e2e/winprobe.exe; do
    if [ ! -f "$build/$program" ]; then
        echo "screenshot.sh: $build/$program is missing; build the windows preset first:" >&2
        echo "  cmake --preset windows && cmake --build --preset windows" >&2
        exit 1
    fi
done
tools/install-deps.sh
mkdir -p docs
dpi=${DPI:-96}
percent=$((dpi * 100 / 96))
screen=1280x1024
if ((dpi > 96)); then screen=1920x1200; fi
if ((dpi > 144)); then screen=2560x1600; fi
export build docs=$PWD/docs percent

photograph() {
    set -u
    local scratch table vantrel
    scratch=$(mktemp -d)
    # vantrel.exe keeps its settings beside itself: a copy of its own starts from
    # the default places, whatever an earlier run left.
    cp "$build/src/app/vantrel.exe" "$scratch/"
    wine "$build/sim/table.exe" --seed "${SEED:-1}" --hands 5 --log "$scratch/hands.log" >/dev/null 2>&1 &
    table=$!
    wine "$scratch/vantrel.exe" >/dev/null 2>&1 &
    vantrel=$!
    local status=0
    if wine "$build/tests/e2e/winprobe.exe" wait --deadline-ms 60000 VXMain VXDetail VXPlayer >/dev/null; then
        sleep "${SHOT_SECONDS:-20}"
        # The pointer on the detail button (window pixels 40..59, 463..482 at 100%),
        # moved in steps as a hand would, and held there until the tooltip shows.
        local main
        main=$(wine "$build/tests/e2e/winprobe.exe" list | tr -d '\r' | grep ' caption=VXMain$' | sed -E 's/.* at=([0-9-]+),([0-9-]+) .*/\1 \2/')
        read -r mx my <<<"$main"
        for step in 0 1 2 3 4; do
            xdotool mousemove --sync $((mx + (46 + step) * percent / 100)) $((my + (468 + step) * percent / 100))
            sleep 0.1
        done
        sleep 2
        if ((percent != 100)); then
            import -window root "$docs/screenshot-$percent.png"
            # The title, the counts and the grid's top rows at the scale's own pixels.
            convert "$docs/screenshot-$percent.png" -crop "$((128 * percent / 100))x$((200 * percent / 100))+$mx+$my" +repage \
                "$docs/closeup-$percent.png"
            echo "screenshot.sh: docs/screenshot-$percent.png and docs/closeup-$percent.png"
        else
            import -window root "$docs/screenshot.png"
            wine "$build/tests/e2e/winprobe.exe" list | tr -d '\r' >"$scratch/windows.txt"
            for caption in VXMain VXDetail VXPlayer; do
                local line geometry
                line=$(grep " caption=$caption\$" "$scratch/windows.txt")
                geometry=$(sed -E 's/.* client=([0-9]+)x([0-9]+) at=([0-9-]+),([0-9-]+) .*/\1x\2+\3+\4/' <<<"$line")
                convert "$docs/screenshot.png" -crop "$geometry" +repage -filter point -resize 200% \
                    "$docs/$(tr '[:upper:]' '[:lower:]' <<<"$caption")-2x.png"
            done
            echo "screenshot.sh: docs/screenshot.png and the windows at 2x in docs/"
        fi
    else
        echo "screenshot.sh: the three windows did not come up" >&2
        status=1
    fi
    kill "$vantrel" "$table" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$scratch"
    return $status
}
export -f photograph

tools/wine/with-wine.sh --prefix "$build/wineprefix" --screen "$screen" --dpi "$dpi" --timeout 240 -- bash -c photograph
