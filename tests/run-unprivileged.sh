#!/bin/sh
# Runs a test binary as "nobody" when started as root; otherwise as it is.
set -e
[ "$(id -u)" -ne 0 ] && exec "$@"
home=$(mktemp -d)
chmod 755 "$home"
trap 'rm -rf "$home"' EXIT
# The build folder may lie where nobody cannot reach (under /root, say).
cp "$1" "$home/test"
shift
mkdir "$home/work"
chown 65534:65534 "$home/work"
cd "$home/work"
HOME=$home/work TMPDIR=$home/work XDG_RUNTIME_DIR=$home/work XDG_CONFIG_HOME=$home/work \
    setpriv --reuid=65534 --regid=65534 --clear-groups "$home/test" "$@"
