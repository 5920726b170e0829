#!/usr/bin/env bash
# The project's front door.
#   ./dev.sh start   install what is missing, build, start the program
#   ./dev.sh test    install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")"

RUN_PKGS=(cmake ninja-build g++ qt6-base-dev qt6-translations-l10n fonts-noto-cjk libqt6sql6-sqlite
          qt6-l10n-tools qt6-tools-dev libdtl-dev zlib1g-dev)
TEST_PKGS=(clang libclang-rt-14-dev clang-format clang-tidy appstream desktop-file-utils dpkg-dev file man-db
           groff-base openssl tinyproxy microsocks lintian xvfb xauth openbox)
JOBS=$(nproc)

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() { # dir, extra cmake args...
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$JOBS" ${TARGETS:+--target $TARGETS}
}

case "${1:-}" in
start)
    install_missing "${RUN_PKGS[@]}"
    build build
    exec ./build/wireprobedesk
    ;;
test)
    install_missing "${RUN_PKGS[@]}" "${TEST_PKGS[@]}"
    supp=$PWD/sanitizers/lsan.supp

    echo "== Format =="
    scripts/check-format.sh

    echo "== Tests =="
    build build
    (cd build && ctest --output-on-failure -j "$JOBS")

    echo "== Lint =="
    scripts/check-tidy.sh build

    echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
    build build-asan -DWPD_SANITIZE=ON
    (cd build-asan && LSAN_OPTIONS="suppressions=$supp" ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
        UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j "$JOBS")

    echo "== Fuzzing (${FUZZ_SECONDS:-60} s a target) =="
    TARGETS="fuzz_request_lines fuzz_pane_text fuzz_response_text fuzz_http_framing fuzz_readable_body" build build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DWPD_FUZZ=ON
    for t in request_lines pane_text response_text http_framing readable_body; do
        work=$(mktemp -d)
        cp fuzz/corpus/$t/* "$work"/
        LSAN_OPTIONS="suppressions=$supp" ./build-fuzz/fuzz/fuzz_$t -max_total_time="${FUZZ_SECONDS:-60}" \
            -timeout=10 -print_final_stats=0 -artifact_prefix="build-fuzz/$t-" "$work" 2>"build-fuzz/$t.log" \
            || { tail -n 40 "build-fuzz/$t.log"; echo "fuzz_$t: FAILED"; exit 1; }
        echo "fuzz_$t: $(grep -E '^Done' "build-fuzz/$t.log") without a failure"
        rm -rf "$work"
    done
    ;;
*)
    echo "usage: $0 start|test" >&2
    exit 2
    ;;
esac
