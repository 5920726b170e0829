#!/bin/sh
# Runs a test binary as "nobody" when started as root; otherwise as it is.
set -e
[ "$(id -u)" -ne 0 ] && exec "$@"
home=$(mktemp -d)
chmod 777 "$home"
trap 'rm -rf "$home"' EXIT
HOME=$home TMPDIR=$home XDG_RUNTIME_DIR=$home XDG_CONFIG_HOME=$home \
    setpriv --reuid=65534 --regid=65534 --clear-groups "$@"
