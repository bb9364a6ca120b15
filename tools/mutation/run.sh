#!/usr/bin/env bash
# The mutation check: applies each single-token edit of edits.txt, one at a time,
# to a scratch copy of the tree, rebuilds it and runs the native tests until the
# first failure, and prints which edits no test noticed. An edit listed with a
# reason (`= why`) is one that cannot change any result; every other survivor is a
# gap in the tests. Exits non-zero when an edit survives unexplained or cannot be
# applied or built.
#
# The copy lives in build/mutation/ and keeps its one build folder between edits
# and between runs, so each edit costs one recompile and the relinks. It is built
# without sanitizers and optimised, for speed; tests get their own TMPDIR there.
#
#   nice tools/mutation/run.sh                 every edit
#   nice tools/mutation/run.sh --only REGEX    the edits whose file or text match
#   tools/mutation/run.sh --check              only checks that every edit applies
set -euo pipefail
shopt -u patsub_replacement 2>/dev/null || true  # an & in a replacement stays an &

root=$(cd "$(dirname "$0")/../.." && pwd)
list=$root/tools/mutation/edits.txt
only= check=
while [ $# -gt 0 ]; do
    case $1 in
        --only) only=$2; shift 2 ;;
        --list) list=$2; shift 2 ;;
        --check) check=1; shift ;;
        *) echo "usage: $0 [--only REGEX] [--list FILE] [--check]" >&2; exit 2 ;;
    esac
done

scratch=$root/build/mutation
tree=$scratch/tree
build=$scratch/build
log=$scratch/last.log
mkdir -p "$tree" "$build" "$scratch/tmp"
export TMPDIR=$scratch/tmp

# Bring the copy up to date: only files whose contents differ are copied, and they
# get a fresh time, so the build folder recompiles exactly what changed (including
# a file an interrupted run left edited).
sync_tree() {
    local path
    (cd "$root" && git ls-files --cached --others --exclude-standard) |
        while IFS= read -r path; do
            [ -f "$root/$path" ] || continue
            if ! cmp -s "$root/$path" "$tree/$path"; then
                mkdir -p "$(dirname "$tree/$path")"
                cp "$root/$path" "$tree/$path"
            fi
        done
}

build_tree() { nice cmake --build "$build" -j2 >"$log" 2>&1; }

# The fast, focused suites first; the long follow series last.
test_binaries() {
    local first="recognition_contract_test watch_contract_test sequence_test main_loop_test recognition_tally_test
                 recognition_reader_test recognition_sampler_test shared_settings_test ui_toolkit_test"
    local name
    for name in $first; do find "$build/tests" -name "$name" -type f -executable; done
    find "$build/tests" -name '*_test' -type f -executable | sort | while read -r path; do
        case " $first " in *" $(basename "$path") "*) ;; *) [ "$(basename "$path")" = follow_test ] || echo "$path" ;; esac
    done
    find "$build/tests" -name follow_test -type f -executable
}

# Prints the first test binary that fails, or nothing when all pass.
first_failure() {
    local binary
    for binary in $(test_binaries); do
        if ! timeout 300 "$binary" --gtest_fail_fast --gtest_brief=1 >>"$log" 2>&1; then
            basename "$binary"
            return
        fi
    done
}

# The unedited copy must build and pass, or no edit can be judged.
prepare() {
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$tree" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 -DVANTREL_SANITIZE=OFF \
            >"$log" 2>&1 || { echo "configure failed: $log"; exit 1; }
    fi
    build_tree || { echo "the unedited copy does not build: $log"; exit 1; }
    : >"$log"
    local failing
    failing=$(first_failure)
    [ -z "$failing" ] || { echo "the unedited copy fails $failing: $log"; exit 1; }
    echo "the unedited copy builds and passes"
}

echo "scratch copy: $tree"
sync_tree
[ -n "$check" ] || prepare

edit_re='^`([^`]+)` => `([^`]*)`( += (.+))?$'
file=
total=0 killed=0 equivalent=0 survived=0 broken=0
mapfile -t lines <"$list"  # read whole: the list may be edited while the check runs
for line in "${lines[@]}"; do
    case $line in
        '' | '#'*) continue ;;
        '@ '*) file=${line#@ }; continue ;;
    esac
    if ! [[ $line =~ $edit_re ]]; then
        echo "unreadable line: $line"; broken=$((broken + 1)); continue
    fi
    label="$file  \`${BASH_REMATCH[1]}\` => \`${BASH_REMATCH[2]}\`"
    reason=${BASH_REMATCH[4]}
    find=${BASH_REMATCH[1]//\\n/$'\n'} replace=${BASH_REMATCH[2]//\\n/$'\n'}  # \n stands for a line break
    if [ -n "$only" ] && ! [[ "$label" =~ $only ]]; then continue; fi
    total=$((total + 1))

    target=$tree/$file
    [ -f "$target" ] || { echo "NO FILE     $label"; broken=$((broken + 1)); continue; }
    content=$(<"$target")
    rest=${content#*"$find"}
    if [ "$rest" = "$content" ]; then
        echo "NOT FOUND   $label"; broken=$((broken + 1)); continue
    elif [[ $rest == *"$find"* ]]; then
        echo "NOT UNIQUE  $label"; broken=$((broken + 1)); continue
    fi
    if [ -n "$check" ]; then
        [ "${content/"$find"/"$replace"}" != "$content" ] || { echo "NO CHANGE   $label"; broken=$((broken + 1)); }
        continue
    fi
    printf '%s\n' "${content/"$find"/"$replace"}" >"$target"

    : >"$log"
    if ! build_tree; then
        echo "NO BUILD    $label"; broken=$((broken + 1))
    else
        failing=$(first_failure)
        if [ -n "$failing" ]; then
            killed=$((killed + 1))
            [ -z "$reason" ] || echo "            (listed as equivalent, yet $failing fails: drop the reason)"
            echo "killed      $label  [$failing]"
        elif [ -n "$reason" ]; then
            equivalent=$((equivalent + 1))
            echo "equivalent  $label  = $reason"
        else
            survived=$((survived + 1))
            echo "SURVIVED    $label"
        fi
    fi
    cp "$root/$file" "$target"  # a fresh time: the next build recompiles it
done

[ -n "$check" ] || build_tree || true
echo "edits $total: killed $killed, equivalent $equivalent, survived $survived, not applied or not built $broken"
[ "$survived" -eq 0 ] && [ "$broken" -eq 0 ]
