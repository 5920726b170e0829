#!/usr/bin/env bash
# The project's front door.
#   ./dev.sh start   install what is missing, build, start the program
#   ./dev.sh test    install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")"

RUN_PKGS=(cmake ninja-build g++ qt6-base-dev qt6-translations-l10n fonts-noto-cjk)
TEST_PKGS=(clang libclang-rt-14-dev appstream desktop-file-utils)
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
    cmake --build "$dir" -j "$JOBS"
}

case "${1:-}" in
start)
    install_missing "${RUN_PKGS[@]}"
    build build
    exec ./build/wireprobedesk
    ;;
test)
    install_missing "${RUN_PKGS[@]}" "${TEST_PKGS[@]}"
    build build
    (cd build && ctest --output-on-failure -j "$JOBS")
    ;;
*)
    echo "usage: $0 start|test" >&2
    exit 2
    ;;
esac
