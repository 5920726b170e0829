#!/usr/bin/env bash
# Makes docs/history.png and docs/compare.png: the history window after a few
# real exchanges with loopback servers (recorded by wireprobe-send --record
# into the same history), and two of its responses compared. Under Xvfb;
# needs xvfb, xdotool, openbox and imagemagick (installed if missing).
set -euo pipefail
cd "$(dirname "$0")/.."
for p in xvfb xauth xdotool openbox imagemagick; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="${missing:-} $p"
done
if [ -n "${missing:-}" ]; then
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
fi
[ -x build/app/wireprobedesk ] || { cmake -S . -B build -G Ninja >/dev/null && cmake --build build; }
mkdir -p docs
home=$(mktemp -d)
trap 'rm -rf "$home"; kill $(jobs -p) 2>/dev/null || true' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" TZ=Asia/Tokyo
python3 scripts/soap_server.py --port 18081 --seconds 60 &
python3 scripts/soap_server.py --port 18082 --charset Shift_JIS --seconds 60 &
python3 scripts/soap_server.py --port 18083 --mode keep --seconds 60 &
sleep 1
send=build/cli/wireprobe-send
soap() { # SOAPAction, operation
    printf 'POST /services/status HTTP/1.1\nHost: 127.0.0.1\nContent-Type: text/xml; charset=utf-8\n%s\n<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body><%s><id>42</id></%s></soap:Body></soap:Envelope>\n' \
        "${1:+SOAPAction: \"$1\"
}" "$2" "$2"
}
soap "urn:example#GetStatus" GetStatus | $send --crlf --record --fix-content-length 127.0.0.1 18081 >/dev/null
soap "" GetUser | $send --crlf --record --fix-content-length 127.0.0.1 18081 >/dev/null
soap "urn:example#GetStatus" GetStatus | $send --crlf --record --encoding Shift_JIS --fix-content-length 127.0.0.1 18082 >/dev/null
soap "urn:example#Ping" Ping | $send --crlf --record -t 1 127.0.0.1 18083 >/dev/null || true
printf 'GET /health HTTP/1.0\n\n' | $send --crlf --record 127.0.0.1 18084 >/dev/null 2>&1 || true
soap "urn:example#GetStatus" GetStatus | $send --crlf --record --fix-content-length 127.0.0.1 18081 >/dev/null
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    openbox & sleep 1
    ./build/app/wireprobedesk & app=$!
    sleep 2
    main=$(xdotool search --sync --name "^wireProbeDesk " | head -n 1)
    xdotool windowactivate --sync "$main" key ctrl+h; sleep 1.5
    win=$(xdotool search --sync --name "^履歴" | head -n 1)
    # The newest row, then the Shift_JIS one with it.
    xdotool mousemove --window "$win" 300 72 click 1; sleep 1
    import -window "$win" docs/history.png
    xdotool mousemove --window "$win" 300 132 keydown ctrl click 1 keyup ctrl; sleep 0.5
    xdotool mousemove --window "$win" 222 550 click 1; sleep 2
    cmp=$(xdotool search --sync --name "^応答の比較" | head -n 1)
    xdotool windowsize "$cmp" 1000 420; sleep 1
    import -window "$cmp" docs/compare.png
    kill $app'
echo "docs/history.png and docs/compare.png written"
