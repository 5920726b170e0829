#!/usr/bin/env python3
"""A loopback server for trying the program by hand and for the README screenshot.

Answers each request with a small SOAP response and closes (mode "close"), or
keeps the connection open after answering until the client closes it ("keep"),
or sends the answer in slow pieces ("trickle"); --charset sends the body in
Shift_JIS or EUC-JP; --fault answers with a SOAP 1.1 Fault (status 500); --gzip
sends the body gzip-compressed and chunked. Listens on 127.0.0.1 only and serves
until stopped (Ctrl+C); --max-connections and --seconds make it stop by itself,
as a script wants. --port 0 takes a free port; the first line on standard output
names it.
"""
import argparse
import errno
import gzip
import re
import socket
import sys
import threading
import time

TEXT = (
    '<?xml version="1.0" encoding="UTF-8"?>\r\n'
    '<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/">\r\n'
    '  <soap:Body>\r\n'
    '    <GetStatusResponse>\r\n'
    '      <status>稼働中</status>\r\n'
    '      <message>応答メッセージのテストです。</message>\r\n'
    '    </GetStatusResponse>\r\n'
    '  </soap:Body>\r\n'
    '</soap:Envelope>\r\n'
)

# How long a client may take to send its request, and to close after the answer.
READ_SECONDS = 10
# A client in "keep" mode that never closes still lets its thread go in the end.
KEEP_SECONDS = 600
HEADER_END = re.compile(rb'\r?\n\r?\n')
CONTENT_LENGTH = re.compile(rb'^content-length[ \t]*:[ \t]*(\d+)[ \t]*\r?$', re.I | re.M)

FAULT = (
    '<?xml version="1.0" encoding="UTF-8"?>'
    '<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/">'
    '<soap:Body><soap:Fault><faultcode>soap:Client</faultcode>'
    '<faultstring>注文番号が見つかりません</faultstring>'
    '<detail><e:OrderNotFound xmlns:e="urn:example:orders"><e:orderId>A-1042</e:orderId>'
    '<e:checkedAt>2024-05-01T10:00:00+09:00</e:checkedAt></e:OrderNotFound></detail>'
    '</soap:Fault></soap:Body></soap:Envelope>'
)


def answer(charset, mode, fault=False, compress=False):
    text = FAULT if fault else TEXT
    body = text.replace('UTF-8', charset).encode('cp932' if charset == 'Shift_JIS' else charset)
    framing = f'Content-Length: {len(body)}\r\n'
    if compress:
        packed = gzip.compress(body)
        half = len(packed) // 2
        body = b''.join(b'%x\r\n%s\r\n' % (len(p), p) for p in (packed[:half], packed[half:])) + b'0\r\n\r\n'
        framing = 'Content-Encoding: gzip\r\nTransfer-Encoding: chunked\r\n'
    head = (
        ('HTTP/1.1 500 Internal Server Error\r\n' if fault else 'HTTP/1.1 200 OK\r\n')
        + f'Content-Type: text/xml; charset={charset}\r\n'
        + framing
        + ('' if mode == 'keep' else 'Connection: close\r\n') + '\r\n'
    ).encode()
    return head + body


def read_request(conn):
    """Reads the header and as much body as Content-Length announces. A request
    that ends early (the client half-closed) is answered all the same."""
    data = b''
    while not HEADER_END.search(data):
        chunk = conn.recv(65536)
        if not chunk:
            return data
        data += chunk
    end = HEADER_END.search(data)
    length = CONTENT_LENGTH.search(data[:end.start()])
    want = end.end() + (int(length.group(1)) if length else 0)
    while len(data) < want:
        chunk = conn.recv(65536)
        if not chunk:
            break
        data += chunk
    return data


def drain(conn, seconds):
    """Reads until the client closes. Closing with unread bytes in the socket
    would make the system reset the connection, and the client lose the answer."""
    conn.settimeout(seconds)
    try:
        while conn.recv(65536):
            pass
    except OSError:
        pass


def serve(conn, peer, mode, charset, fault, compress):
    with conn:
        try:
            conn.settimeout(READ_SECONDS)
            read_request(conn)
            data = answer(charset, mode, fault, compress)
            if mode == 'trickle':
                for i in range(0, len(data), 40):
                    conn.sendall(data[i:i + 40])
                    time.sleep(0.2)
            else:
                conn.sendall(data)
            if mode == 'keep':
                drain(conn, KEEP_SECONDS)
            else:
                conn.shutdown(socket.SHUT_WR)
                drain(conn, READ_SECONDS)
        except socket.timeout:
            print(f'{peer[0]}:{peer[1]}: no whole request within {READ_SECONDS} s; closed', file=sys.stderr)
        except OSError as e:
            # A client that resets ends its own connection only.
            print(f'{peer[0]}:{peer[1]}: {e}', file=sys.stderr)


def main():
    ap = argparse.ArgumentParser(description='A loopback SOAP server for trying wireProbeDesk.')
    ap.add_argument('--port', type=int, default=8080, help='port on 127.0.0.1 (0: any free one)')
    ap.add_argument('--mode', choices=['close', 'keep', 'trickle'], default='close')
    ap.add_argument('--charset', choices=['UTF-8', 'Shift_JIS', 'EUC-JP'], default='UTF-8')
    ap.add_argument('--fault', action='store_true', help='answer with a SOAP Fault (status 500)')
    ap.add_argument('--gzip', action='store_true', help='send the body gzip-compressed and chunked')
    ap.add_argument('--max-connections', type=int, default=0, help='stop after this many (0: never)')
    ap.add_argument('--seconds', type=float, default=0, help='stop after this long (0: never)')
    args = ap.parse_args()
    srv = socket.create_server(('127.0.0.1', args.port), backlog=128)
    srv.settimeout(0.5)
    print(f'Serving on 127.0.0.1:{srv.getsockname()[1]} ({args.mode}, {args.charset}); Ctrl+C stops.', flush=True)
    end = time.monotonic() + args.seconds if args.seconds > 0 else None
    accepted = 0
    running = []
    try:
        while args.max_connections <= 0 or accepted < args.max_connections:
            if end is not None and time.monotonic() >= end:
                break
            try:
                conn, peer = srv.accept()
            except socket.timeout:
                continue
            except OSError as e:
                # Out of descriptors, or a client gone before it was taken: wait, go on.
                print(f'accept: {e}', file=sys.stderr)
                if e.errno in (errno.EMFILE, errno.ENFILE, errno.ENOBUFS, errno.ENOMEM):
                    time.sleep(0.1)
                continue
            accepted += 1
            t = threading.Thread(target=serve, args=(conn, peer, args.mode, args.charset, args.fault, args.gzip),
                                 daemon=True)
            t.start()
            running = [r for r in running if r.is_alive()] + [t]
        srv.close()
        for t in running:  # let answers in progress finish
            t.join(timeout=max(0.0, end - time.monotonic()) + 1 if end is not None else None)
    except KeyboardInterrupt:
        pass


if __name__ == '__main__':
    main()
