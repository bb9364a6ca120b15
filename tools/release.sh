#!/usr/bin/env bash
# Builds the players' download, dist/vantrel-<version>-win64.zip, from a clean
# build of the committed tree (git archive of HEAD, so nothing uncommitted goes
# in; it says which commit): vantrel.exe (stripped, static, system DLLs only),
# the Chinese player's guide 使用说明.txt and the licence. The version is VERSION's.
# Two runs give the same bytes: the exe carries no link time stamp, and the zip
# holds its entries in a fixed order with a fixed date and fixed permissions.
# The exe is the windows preset's build, every flag as the preset sets it (only
# its build folder differs), and it must be no larger than the target below.
#
# Entry names are stored in code page 936 without the UTF-8 flag, which is what
# Explorer on a Chinese Windows reads (it ignores the flag, as older Windows
# does), with the UTF-8 name in an Info-ZIP Unicode Path field (0x7075) for
# 7-Zip, WinRAR and Info-ZIP's unzip, which take that field before the name.
set -euo pipefail

# The stripped vantrel.exe's size target, in bytes: 1.3 MB. Pictures for more
# display scales grow the exe; a change that must grow it past this raises it here.
# Raised from 700 KB for the four larger scales' sets drawn afresh (1 293 824 bytes,
# the five sets' 651 KB of palette and RGB PNGs at zlib's highest level half of it).
max_exe_bytes=1363148

cd "$(dirname "$0")/.."
tools/install-deps.sh

commit=$(git rev-parse HEAD)
echo "release: commit $commit$(git diff --quiet HEAD -- 2>/dev/null || echo ', uncommitted changes left out')"
release=build/release
rm -rf "$release"
mkdir -p "$release/tree"
git archive --format=tar HEAD | tar -x -C "$release/tree"
tree=$release/tree
version=$(head -n1 "$tree/VERSION")
root=$PWD
(cd "$tree" && cmake --preset windows -B "$root/$release/build" >/dev/null)
cmake --build "$release/build" --target vantrel -j2 >/dev/null
exe=$release/build/src/app/vantrel.exe
tests/e2e/check_imports.sh x86_64-w64-mingw32-objdump "$exe"
exe_bytes=$(stat -c %s "$exe")
if (( exe_bytes > max_exe_bytes )); then
  echo "release: vantrel.exe is $exe_bytes bytes, over its target of $max_exe_bytes" >&2
  exit 1
fi
echo "release: vantrel.exe $exe_bytes bytes (target $max_exe_bytes)"

mkdir -p dist
zip=dist/vantrel-$version-win64.zip
python3 - "$zip" "$exe" "$tree" <<'PY'
import struct, sys, zipfile, zlib
out, exe, tree = sys.argv[1:4]
guide = open(f"{tree}/docs/release/使用说明.txt", encoding="utf-8").read()
licence = open(f"{tree}/LICENSE", encoding="utf-8").read()
# Text for Notepad: CRLF line ends, and a byte-order mark so that old versions
# read the guide as UTF-8 rather than as the system's code page.
def windows_text(text):
    return ("\ufeff" + text.replace("\n", "\r\n")).encode("utf-8")

class Cp936Entry(zipfile.ZipInfo):
    """An entry whose name is stored in code page 936, with no UTF-8 flag."""
    def _encodeFilenameFlags(self):
        return self.filename.encode("cp936"), self.flag_bits & ~0x800

entries = [
    ("vantrel.exe", open(exe, "rb").read()),
    ("使用说明.txt", windows_text(guide)),
    ("LICENSE.txt", windows_text(licence)),
]
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    for name, data in entries:
        info = Cp936Entry(name, date_time=(2026, 1, 1, 0, 0, 0))
        info.create_system = 0  # MS-DOS: no Unix permissions
        info.external_attr = 0x20  # archive
        info.compress_type = zipfile.ZIP_DEFLATED
        if not name.isascii():
            # Info-ZIP Unicode Path: version 1, the CRC-32 of the stored name, the UTF-8 name.
            utf8 = name.encode("utf-8")
            info.extra = struct.pack("<HHBI", 0x7075, 5 + len(utf8), 1, zlib.crc32(name.encode("cp936"))) + utf8
        z.writestr(info, data, compresslevel=9)
# As an unzip reads it back: the guide's name in code page 936, no UTF-8 flag,
# and a Unicode Path field whose CRC names those bytes.
with zipfile.ZipFile(out) as z:
    guide_entry = z.infolist()[1]
    stored = guide_entry.orig_filename.encode("cp437")
    assert stored == "使用说明.txt".encode("cp936") and not guide_entry.flag_bits & 0x800
    tag, size, version, crc = struct.unpack_from("<HHBI", guide_entry.extra)
    assert (tag, version, crc) == (0x7075, 1, zlib.crc32(stored))
    assert guide_entry.extra[9:4 + size].decode("utf-8") == "使用说明.txt"
PY
sha256sum "$zip"
