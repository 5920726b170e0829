#!/usr/bin/env python3
"""A loopback server for trying the program by hand and for the README screenshot.

Answers each request with a small SOAP response and closes (mode "close"), or
keeps the connection open after answering ("keep"), or sends the answer in
slow pieces ("trickle"); --charset sends the body in Shift_JIS or EUC-JP; --fault
answers with a SOAP 1.1 Fault (status 500); --gzip sends the body gzip-compressed
and chunked. Listens on 127.0.0.1 only; stops by itself after
--max-connections connections or --seconds seconds.
"""
import argparse
import gzip
import socket
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


def serve(conn, mode, charset, fault, compress):
    with conn:
        conn.settimeout(10)
        data = b''
        while b'\r\n\r\n' not in data:
            chunk = conn.recv(65536)
            if not chunk:
                break
            data += chunk
        data = answer(charset, mode, fault, compress)
        if mode == 'trickle':
            for i in range(0, len(data), 40):
                conn.sendall(data[i:i + 40])
                time.sleep(0.2)
        else:
            conn.sendall(data)
        if mode == 'keep':
            time.sleep(30)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--port', type=int, default=8080)
    ap.add_argument('--mode', choices=['close', 'keep', 'trickle'], default='close')
    ap.add_argument('--charset', choices=['UTF-8', 'Shift_JIS', 'EUC-JP'], default='UTF-8')
    ap.add_argument('--fault', action='store_true')
    ap.add_argument('--gzip', action='store_true')
    ap.add_argument('--max-connections', type=int, default=100)
    ap.add_argument('--seconds', type=float, default=600)
    args = ap.parse_args()
    srv = socket.socket()
    srv.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    srv.bind(('127.0.0.1', args.port))
    srv.listen()
    srv.settimeout(1)
    end = time.time() + args.seconds
    threads = []
    while len(threads) < args.max_connections and time.time() < end:
        try:
            conn, _ = srv.accept()
        except socket.timeout:
            continue
        t = threading.Thread(target=serve, args=(conn, args.mode, args.charset, args.fault, args.gzip), daemon=True)
        t.start()
        threads.append(t)
    for t in threads:  # let answers in progress finish
        t.join(timeout=max(0.0, end - time.time()) + 1)


if __name__ == '__main__':
    main()
