#!/bin/sh
# Runs clang-tidy (version 14, as Debian 12 has it) with the checks of .clang-tidy over
# the project's own sources, as compiled in a build folder.
#   scripts/check-tidy.sh [BUILD_DIR]     (default: build)
# The build folder must have been built (compile_commands.json, Version.h and the .moc
# files the tests include). Prints each finding once (a header's are found from every
# file that includes it), then the count for each check; exits 1 if there is any.
# CLANG_TIDY / RUN_CLANG_TIDY name the programs; JOBS the parallel runs (default: nproc).
set -eu
cd "$(dirname "$0")/.."
src=$(pwd)
build=$(cd "${1:-build}" && pwd)
[ -f "$build/compile_commands.json" ] || {
    echo "check-tidy: no $build/compile_commands.json; configure and build first" >&2
    exit 2
}
tidy=${CLANG_TIDY:-$(command -v clang-tidy-14 || command -v clang-tidy || true)}
runner=${RUN_CLANG_TIDY:-$(command -v run-clang-tidy-14 || command -v run-clang-tidy || true)}
[ -n "$tidy" ] && [ -n "$runner" ] || {
    echo "check-tidy: clang-tidy is not installed (apt-get install clang-tidy)" >&2
    exit 2
}

ours="^$src/(app|cli|core|gui|tests|bench|fuzz)/"
log=$(mktemp)
findings=$(mktemp)
trap 'rm -f "$log" "$findings"' EXIT
start=$(date +%s)
"$runner" -clang-tidy-binary "$tidy" -p "$build" -j "${JOBS:-$(nproc)}" -quiet \
    -header-filter="$ours" "$ours" >"$log" 2>&1 || true
seconds=$(($(date +%s) - start))

# Colour off, one line per finding, each once; errors (a missing header, a file that
# does not parse) count too, as the checks did not run over that file.
sed 's/\x1b\[[0-9;]*m//g' "$log" \
    | grep -E '^/[^ ]+:[0-9]+:[0-9]+: (warning|error): ' | sed "s|^$src/||" | sort -u >"$findings" || true
count=$(wc -l <"$findings")
if [ "$count" -gt 0 ]; then
    cat "$findings"
    echo
    grep -oE '\[[a-z0-9.,-]+\]$' "$findings" | tr -d '[]' | sort | uniq -c | sort -rn
    echo "check-tidy: $count findings in ${seconds} s" >&2
    exit 1
fi
if ! grep -q 'clang-tidy' "$log"; then
    cat "$log" >&2
    echo "check-tidy: clang-tidy did not run" >&2
    exit 2
fi
echo "check-tidy: no findings (${seconds} s)"
