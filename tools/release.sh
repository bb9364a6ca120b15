#!/usr/bin/env bash
# Builds the players' download, dist/vantrel-<version>-win64.zip, from a clean
# build of the committed tree: vantrel.exe (stripped, static, system DLLs only),
# the Chinese player's guide 使用说明.txt and the licence. The version is VERSION's.
# Two runs give the same bytes: the exe carries no link time stamp, and the zip
# holds its entries in a fixed order with a fixed date and fixed permissions.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

version=$(head -n1 VERSION)
build=build/release
rm -rf "$build"
cmake -S . -B "$build" --toolchain cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target vantrel -j2 >/dev/null
exe=$build/src/app/vantrel.exe
tests/e2e/check_imports.sh x86_64-w64-mingw32-objdump "$exe"

mkdir -p dist
zip=dist/vantrel-$version-win64.zip
python3 - "$zip" "$exe" <<'PY'
import sys, zipfile
out, exe = sys.argv[1], sys.argv[2]
guide = open("docs/release/使用说明.txt", encoding="utf-8").read()
licence = open("LICENSE", encoding="utf-8").read()
# Text for Notepad: CRLF line ends, and a byte-order mark so that old versions
# read the guide as UTF-8 rather than as the system's code page.
def windows_text(text):
    return ("\ufeff" + text.replace("\n", "\r\n")).encode("utf-8")
entries = [
    ("vantrel.exe", open(exe, "rb").read()),
    ("使用说明.txt", windows_text(guide)),
    ("LICENSE.txt", windows_text(licence)),
]
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    for name, data in entries:
        info = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
        info.create_system = 0  # MS-DOS: no Unix permissions
        info.external_attr = 0x20  # archive
        info.compress_type = zipfile.ZIP_DEFLATED
        z.writestr(info, data, compresslevel=9)
PY
sha256sum "$zip"
