#!/bin/sh
# Checks the C++ sources against .clang-format (clang-format 14, as Debian 12 has it;
# other versions format some constructs differently).
#   scripts/check-format.sh          name each file clang-format would change and how
#                                    many lines; exit 1 if there is any
#   scripts/check-format.sh --diff   show the changes as a diff too
#   scripts/check-format.sh --fix    format the files in place
# CLANG_FORMAT names the program (default: clang-format-14, else clang-format).
set -eu
cd "$(dirname "$0")/.."
mode=${1:-check}
case $mode in
check | --diff | --fix) ;;
*) echo "usage: $0 [--diff | --fix]" >&2; exit 2 ;;
esac

cf=${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}
[ -n "$cf" ] || { echo "check-format: clang-format is not installed (apt-get install clang-format)" >&2; exit 2; }
case $("$cf" --version) in
*" 14."*) ;;
*) echo "check-format: $("$cf" --version) is not version 14; results may differ" >&2 ;;
esac

# The sources git knows, or every C++ file outside the build folders.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files=$(git ls-files '*.cpp' '*.h')
else
    files=$(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort)
fi

if [ "$mode" = --fix ]; then
    # shellcheck disable=SC2086 # one name a word: the tree has no blanks in file names
    "$cf" -i --style=file $files
    echo "check-format: formatted $(echo "$files" | wc -l) files"
    exit 0
fi

total=0
changed=0
for f in $files; do
    lines=$("$cf" --style=file "$f" | diff -u "$f" - | tail -n +3 | grep -c '^-' || true)
    [ "$lines" -gt 0 ] || continue
    changed=$((changed + 1))
    total=$((total + lines))
    echo "$f: $lines changed"
    [ "$mode" = --diff ] && "$cf" --style=file "$f" | diff -u "$f" - | sed "2s|^+++ -|+++ $f (formatted)|"
done
if [ $changed -gt 0 ]; then
    echo "check-format: $changed of $(echo "$files" | wc -l) files would change, $total lines (scripts/check-format.sh --fix formats them)" >&2
    exit 1
fi
echo "check-format: $(echo "$files" | wc -l) files formatted as .clang-format says"
