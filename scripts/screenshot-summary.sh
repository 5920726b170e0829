#!/usr/bin/env bash
# Makes docs/summary.png (the summary line after a response cut short, with a
# notice) and docs/notice.png (the notice after loading a request with lone LF
# line ends) under Xvfb. Needs xvfb, xdotool and imagemagick (installed if missing).
set -euo pipefail
cd "$(dirname "$0")/.."
for p in xvfb xauth xdotool imagemagick; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="${missing:-} $p"
done
if [ -n "${missing:-}" ]; then
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
fi
app=build/app/wireprobedesk
[ -x "$app" ] || { cmake -S . -B build -G Ninja >/dev/null && cmake --build build --target wireprobedesk; }
mkdir -p docs
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
port=18081
# A server that announces 400 body bytes, sends 150 and closes.
python3 - "$port" <<'EOF' &
import socket, sys
s = socket.socket(); s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(('127.0.0.1', int(sys.argv[1]))); s.listen(1); s.settimeout(60)
c, _ = s.accept(); c.recv(65536)
body = ('<?xml version="1.0" encoding="UTF-8"?>\r\n<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org'
        '/soap/envelope/">\r\n  <soap:Body>\r\n    <GetStatusResponse>\r\n').encode()
c.sendall(b'HTTP/1.1 200 OK\r\nContent-Type: text/xml; charset=UTF-8\r\nContent-Length: 400\r\n\r\n' + body[:150])
c.close()
EOF
server=$!
printf 'POST /status HTTP/1.1\nHost: 127.0.0.1\nContent-Type: text/xml; charset=utf-8\nContent-Length: 58\n\n<?xml version="1.0"?>\n<GetStatus xmlns="urn:example"/>\n' >"$home/request.xml"
mkdir -p "$home/wireProbeDesk"
printf '[Settings]\nMainWidth=12000\nMainHeight=6600\nMainX=5400\nTls=0\nEncoding=UTF-8\nFixContentLength=0\nHttpEnd=0\nResponseLimit=64 MiB\n' \
    >"$home/wireProbeDesk/wireProbeDesk.ini"
xvfb-run -a -s "-screen 0 1280x800x24" env HOME="$home" XDG_CONFIG_HOME="$home" bash -c '
    openbox >/dev/null 2>&1 & wm=$!
    sleep 1
    '"$app"' & app=$!
    win=$(xdotool search --sync --name "^wireProbeDesk " | head -n 1)
    sleep 1
    click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.3; }
    # Open a request whose lines end in LF alone: the notice offers CR LF.
    xdotool key --window "$win" ctrl+o; sleep 1.5
    xdotool type "'"$home"'/request.xml"; xdotool key Return; sleep 1
    import -window "$win" docs/notice.png
    click 150 60; xdotool type "127.0.0.1"
    click 285 60; xdotool type "'"$port"'"
    click 40 16; sleep 2
    import -window "$win" docs/summary.png
    kill $app $wm'
wait $server 2>/dev/null || true
echo "docs/summary.png and docs/notice.png written"
