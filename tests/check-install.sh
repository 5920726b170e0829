#!/bin/sh
# Installs into a scratch folder and validates what a desktop would read.
set -eu
build=$1
id=$2
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null
share=$dest/usr/share
test -x "$dest/usr/bin/wireprobedesk"
for s in 16 32 48 64 128 256; do test -f "$share/icons/hicolor/${s}x$s/apps/$id.png"; done
test -f "$share/icons/hicolor/scalable/apps/$id.svg"
desktop-file-validate "$share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$share/metainfo/$id.metainfo.xml"
echo "installed tree valid"
