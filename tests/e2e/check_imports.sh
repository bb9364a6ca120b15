#!/usr/bin/env bash
# check_imports.sh OBJDUMP EXE: fails unless every DLL that EXE imports is part
# of Windows itself, i.e. the executable runs as one file with nothing beside it.
set -u
objdump=$1 exe=$2

# Windows' own DLLs and the UCRT's API sets; compared case-insensitively.
allowed='^(kernel32|user32|gdi32|comctl32|advapi32|shell32|ole32|oleaut32|comdlg32|winmm|msvcrt|ucrtbase|api-ms-win-crt-[a-z0-9-]+|api-ms-win-core-[a-z0-9-]+)\.dll$'

dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p') || exit 1
if [ -z "$dlls" ]; then
    echo "check_imports: no import table read from $exe" >&2
    exit 1
fi
echo "$exe imports:" $dlls
foreign=$(printf '%s\n' "$dlls" | tr 'A-Z' 'a-z' | grep -Ev "$allowed")
if [ -n "$foreign" ]; then
    echo "check_imports: not system DLLs:" $foreign >&2
    exit 1
fi
