#!/usr/bin/env python3
"""wireprobe-send against a plain receive of the same stream.

A loopback server answers each connection with SIZE bytes and closes. Each
receiver gets the same stream: `nc` (the baseline; netcat-openbsd), a plain
socket reader of this script's own (for reference), and wireprobe-send, to
/dev/null and with -o into a file (against `nc > file`). Time is from the
start of the receiver to its exit; peak memory is the receiver's own VmHWM.
-o syncs the file before its rename (the old file stays on any failure), so
`nc > file, then fdatasync` is shown beside `nc > file` for reference; the
target is against `nc > file`. Run by hand:

    python3 bench/twin_bench.py [--send build/cli/wireprobe-send] [--size 1G] [--repeat 3]

The exit status is 0 when every target was met: the median time within 1.5x
of nc's median, and peak memory under 32 MiB, for both cases.
"""
import argparse
import os
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

REQUEST = b"GET /bulk HTTP/1.0\r\n\r\n"
PIECE = b"0123456789abcdef" * (1 << 18)  # 4 MiB


def serve(listener, size):
    while True:
        conn, _ = listener.accept()
        try:
            conn.recv(65536)
            view = memoryview(PIECE)
            left = size
            while left > 0:
                n = min(left, len(view))
                conn.sendall(view[:n])
                left -= n
        except OSError:
            pass
        finally:
            conn.close()


def own_reader(port):
    """The plain socket reader: connect, send, read to nowhere until the close."""
    s = socket.create_connection(("127.0.0.1", port))
    s.sendall(REQUEST)
    buf = bytearray(1 << 20)
    total = 0
    while True:
        n = s.recv_into(buf)
        if n == 0:
            break
        total += n
    return total


def peak_kib(pid, stop, result):
    """The program's own VmHWM, read until it exits. (wait4's maximum would
    include this script's size, which the child has between fork and exec.)"""
    while not stop.is_set():
        try:
            with open(f"/proc/{pid}/status") as f:
                for line in f:
                    if line.startswith("VmHWM:"):
                        result[0] = max(result[0], int(line.split()[1]))
        except OSError:
            return
        time.sleep(0.002)


def run(argv, stdout_path=None):
    """Runs argv with the request on standard input; (seconds, peak KiB, status)."""
    out = open(stdout_path, "wb") if stdout_path else subprocess.DEVNULL
    start = time.perf_counter()
    p = subprocess.Popen(argv, stdin=subprocess.PIPE, stdout=out, stderr=subprocess.PIPE)
    peak, stop = [0], threading.Event()
    watch = threading.Thread(target=peak_kib, args=(p.pid, stop, peak))
    watch.start()
    p.stdin.write(REQUEST)
    p.stdin.close()
    p.wait()
    elapsed = time.perf_counter() - start
    stop.set()
    watch.join()
    if stdout_path:
        out.close()
    return elapsed, peak[0], p.returncode


def run_synced(argv, stdout_path):
    """run() and then the file's data to disk, as -o does before its rename."""
    start = time.perf_counter()
    _, peak, status = run(argv, stdout_path)
    fd = os.open(stdout_path, os.O_RDONLY)
    os.fdatasync(fd)
    os.close(fd)
    return time.perf_counter() - start, peak, status


def size_arg(text):
    units = {"K": 10, "M": 20, "G": 30}
    t = text.upper().rstrip("B").rstrip("I")
    return int(t[:-1]) << units[t[-1]] if t[-1] in units else int(t)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--send", default=os.path.join(os.path.dirname(__file__), "..", "build", "cli", "wireprobe-send"))
    ap.add_argument("--size", type=size_arg, default=1 << 30)
    ap.add_argument("--repeat", type=int, default=3)
    args = ap.parse_args()
    nc = shutil.which("nc")
    if not nc:
        sys.exit("nc is missing: apt-get install netcat-openbsd")

    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    port = listener.getsockname()[1]
    threading.Thread(target=serve, args=(listener, args.size), daemon=True).start()

    work = tempfile.mkdtemp(prefix="twin-bench-", dir=os.path.dirname(os.path.abspath(args.send)))
    target = os.path.join(work, "response.bin")
    send = [os.path.abspath(args.send), "-t", "30"]
    cases = {
        "nc > /dev/null": lambda: run([nc, "127.0.0.1", str(port)]),
        "wireprobe-send > /dev/null": lambda: run(send + ["127.0.0.1", str(port)]),
        "nc > file": lambda: run([nc, "127.0.0.1", str(port)], target),
        "nc > file, then fdatasync": lambda: run_synced([nc, "127.0.0.1", str(port)], target),
        "wireprobe-send -o file": lambda: run(send + ["-o", target, "127.0.0.1", str(port)]),
    }
    results = {name: [] for name in cases}
    reader = []
    for _ in range(args.repeat):
        start = time.perf_counter()
        got = own_reader(port)
        reader.append(time.perf_counter() - start)
        assert got == args.size, got
        for name, case in cases.items():
            seconds, peak, status = case()
            if status != 0:
                sys.exit(f"{name}: exit status {status}")
            if "file" in name:
                assert os.path.getsize(target) == args.size
                os.remove(target)
            results[name].append((seconds, peak))
    shutil.rmtree(work)

    mib = args.size / (1 << 20)
    print(f"{mib:.0f} MiB from a loopback server, {args.repeat} runs each (seconds; median first)")
    print(f"  own socket reader (reference): {statistics.median(reader):.3f} s  "
          f"[{', '.join(f'{t:.3f}' for t in reader)}]")
    ok = True
    for name, runs in results.items():
        times = [t for t, _ in runs]
        peak = max(p for _, p in runs) / 1024
        line = f"  {name:30s} {statistics.median(times):.3f} s  [{', '.join(f'{t:.3f}' for t in times)}]  peak {peak:.1f} MiB"
        if name.startswith("wireprobe-send"):
            base = "nc > /dev/null" if name.endswith("null") else "nc > file"
            ratio = statistics.median(times) / statistics.median(t for t, _ in results[base])
            met = ratio <= 1.5 and peak < 32
            ok = ok and met
            line += f"  = {ratio:.2f}x nc  ({'met' if met else 'MISSED'}: <= 1.5x, < 32 MiB)"
        print(line)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
