#!/usr/bin/env bash
# fault_settings.sh VANTREL_EXE TABLE_EXE FAULT_SETTINGS_EXE WORK_DIR — run inside
# tools/wine/with-wine.sh.
#
# Makes a folder holding vantrel.exe alone read-only (its write bits off and,
# since root writes through those, the immutable attribute where the file system
# has one), runs fault_settings.exe with it and the cases it sets up itself, and
# makes the folder writable again on every path. Where no way of making a folder
# read-only works here, that case is left out and says so; the others still run.
set -u
vantrel=$1 table=$2 checker=$3 work=$4
readonly_dir=$work/read-only

make_writable() {
    [ -d "$readonly_dir" ] || return 0
    chattr -i "$readonly_dir" 2>/dev/null
    chmod u+w "$readonly_dir"
}
trap make_writable EXIT

mkdir -p "$work"
make_writable
rm -rf "$readonly_dir"
mkdir -p "$readonly_dir" && cp "$vantrel" "$readonly_dir/vantrel.exe" || exit 1
chmod a-w "$readonly_dir"
if touch "$readonly_dir/probe" 2>/dev/null; then
    rm -f "$readonly_dir/probe"
    chattr +i "$readonly_dir" 2>/dev/null
fi
if touch "$readonly_dir/probe" 2>/dev/null; then
    rm -f "$readonly_dir/probe"
    echo "fault_settings: no way to make a folder read-only here; that case is left out"
    wine "$checker" "$vantrel" "$table" "$work"
else
    wine "$checker" "$vantrel" "$table" "$work" --read-only-folder "$readonly_dir"
fi
