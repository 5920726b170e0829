#!/bin/sh
# The bundled test server serves until stopped: many connections one after another
# and at once, a request whose body arrives late, clients that vanish; every answer
# arrives whole and ends with the server's ordinary close, never a reset.
#   tests/check-soap-server.sh SOURCE_DIR      (PYTHON3 names the interpreter)
set -eu
exec "${PYTHON3:-python3}" - "$1/scripts/soap_server.py" <<'EOF'
import re
import signal
import socket
import subprocess
import sys
import threading
import time

# Ctrl+C as at a terminal, even when this runs where SIGINT is ignored.
server = subprocess.Popen([sys.executable, sys.argv[1], '--port', '0'],
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                          preexec_fn=lambda: signal.signal(signal.SIGINT, signal.SIG_DFL))
failures = []


def fail(what):
    failures.append(what)


def exchange(first, rest=b'', pause=0.0):
    """Sends a request (optionally in two pieces), returns the whole answer."""
    with socket.create_connection(('127.0.0.1', port), timeout=10) as s:
        s.sendall(first)
        if rest:
            time.sleep(pause)
            s.sendall(rest)
        data = b''
        while True:
            chunk = s.recv(65536)  # a reset raises here
            if not chunk:
                return data
            data += chunk


def whole(data):
    head, sep, body = data.partition(b'\r\n\r\n')
    m = re.search(rb'Content-Length: (\d+)', head)
    return data.startswith(b'HTTP/1.1 200 OK\r\n') and sep and m and int(m.group(1)) == len(body) \
        and body.endswith(b'</soap:Envelope>\r\n')


def check(name, *args):
    try:
        if not whole(exchange(*args)):
            fail(f'{name}: answer incomplete')
    except OSError as e:
        fail(f'{name}: {e}')


try:
    m = re.search(r':(\d+) ', server.stdout.readline())
    if not m:
        sys.exit('soap_server: no port on its first line')
    port = int(m.group(1))
    request = b'POST /status HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: %d\r\n\r\n'
    body = b'<x/>' * 50000

    for i in range(150):
        check(f'connection {i + 1} in a row', request % 0)
    threads = [threading.Thread(target=check, args=(f'connection {i + 1} at once', request % 0)) for i in range(30)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    check('body after a pause', request % len(body), body, 0.3)
    check('lone LF line ends', b'GET / HTTP/1.0\nHost: 127.0.0.1\n\n')
    for _ in range(5):  # clients that connect and go without a word
        try:
            socket.create_connection(('127.0.0.1', port), timeout=10).close()
        except OSError as e:
            fail(f'silent client: {e}')
    check('after silent clients', request % 0)
    if server.poll() is not None:
        fail(f'the server ended by itself with status {server.returncode}')

    server.send_signal(signal.SIGINT)
    try:
        if server.wait(timeout=5) != 0:
            fail(f'Ctrl+C ended the server with status {server.returncode}')
    except subprocess.TimeoutExpired:
        fail('the server did not stop within 5 s of Ctrl+C')
finally:
    if server.poll() is None:
        server.kill()
        server.wait()
    stderr = server.stderr.read()
    if 'Traceback' in stderr:
        fail('the server printed a traceback:\n' + stderr)

for f in failures[:20]:
    print('soap_server:', f, file=sys.stderr)
if failures:
    sys.exit(1)
print('soap_server.py served every connection')
EOF
