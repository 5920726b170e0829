#!/usr/bin/env bash
# Makes docs/screenshot.png and docs/details.png: the window and its details
# after a real exchange with a loopback server; then docs/pretty.png: the 整形
# page after an exchange with a server that answers with a SOAP Fault. Under Xvfb. Needs xvfb, xdotool and imagemagick (installed if missing).
#   scripts/screenshot.sh [--lang en]   --lang en: the English window, into
#                                       docs/screenshot-en.png, docs/details-en.png, docs/pretty-en.png
set -euo pipefail
cd "$(dirname "$0")/.."
lang=ja
suffix=
details_title=詳細
if [ "${1:-}" = --lang ] && [ "${2:-}" = en ]; then
    lang=en
    suffix=-en
    details_title=Details
elif [ $# -gt 0 ] && ! { [ "${1:-}" = --lang ] && [ "${2:-}" = ja ]; }; then
    echo "usage: $0 [--lang ja|en]" >&2
    exit 2
fi
for p in xvfb xauth xdotool imagemagick; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="${missing:-} $p"
done
if [ -n "${missing:-}" ]; then
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
fi
[ -x build/app/wireprobedesk ] || { cmake -S . -B build -G Ninja >/dev/null && cmake --build build; }
mkdir -p docs
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
# The language chosen in the details window too, so its 概要 page shows it.
mkdir -p "$home/wireProbeDesk"
printf '[Settings]\nLanguage=%s\n' "$lang" >"$home/wireProbeDesk/wireProbeDesk.ini"
port=18080
python3 scripts/soap_server.py --port $port --max-connections 1 --seconds 60 &
python3 scripts/soap_server.py --port $((port + 1)) --fault --gzip --max-connections 1 --seconds 60 &
xvfb-run -a -s "-screen 0 1300x640x24" env HOME="$home" XDG_CONFIG_HOME="$home" bash -c '
    ./build/app/wireprobedesk --lang '$lang' & app=$!
    sleep 2
    win=$(xdotool search --sync --name "^wireProbeDesk " | head -n 1)
    # Positions in pixels inside the window at 96 dpi (design twips / 15).
    click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.3; }
    click 150 60; xdotool type "127.0.0.1"
    click 285 60; xdotool type "'$port'"
    click 120 200
    xdotool type "POST /status HTTP/1.1"; xdotool key Return
    xdotool type "Host: 127.0.0.1"; xdotool key Return
    xdotool type "Content-Type: text/xml; charset=utf-8"; xdotool key Return
    xdotool type "Content-Length: 0"; xdotool key Return Return
    click 40 16
    sleep 2
    import -window "$win" docs/screenshot'$suffix'.png
    xdotool key ctrl+d; sleep 1
    details=$(xdotool search --name "^'$details_title'" | head -n 1)
    import -window "$details" docs/details'$suffix'.png
    # The same request to the server that answers with a Fault, then 整形 from the response pane'"'"'s menu.
    click 285 60; xdotool key ctrl+a; xdotool type "'$((port + 1))'"
    click 40 16
    sleep 2
    xdotool mousemove --window "$win" 400 300 click 3; sleep 0.5
    xdotool key Up Return; sleep 2
    import -window "$details" docs/pretty'$suffix'.png
    kill $app'
wait
echo "docs/screenshot$suffix.png, docs/details$suffix.png and docs/pretty$suffix.png written"
