#!/usr/bin/env python3
"""Sends one program with drovane-cli to a pseudo-terminal peer three ways in
one run: on the pty directly, through ser2net on rfc2217://, and through
ser2net on socket://, at 115200 baud without handshake. Prints bytes per
second, the CPU the sender used per MB, and the TCP segments the sender's
socket sent per KB (its segs_out, read with ss while the transfer runs).

    bench/network/run_network_send_bench.py [BYTES]

Needs the default preset built (drovane-cli) and ser2net (scripts/install-deps).
"""
import os
import pty
import re
import resource
import select
import socket
import subprocess
import sys
import tempfile
import threading
import time
import tty

root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
cli = os.path.join(root, "build/default/bin/drovane-cli")
size = int(sys.argv[1]) if len(sys.argv) > 1 else 1 << 20


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Drain:
    """Reads the pty master as fast as it comes and counts the bytes."""

    def __init__(self, master):
        self.master = master
        self.count = 0
        self.stop = False
        self.thread = threading.Thread(target=self.run, daemon=True)
        self.thread.start()

    def run(self):
        while not self.stop:
            ready, _, _ = select.select([self.master], [], [], 0.1)
            if ready:
                try:
                    self.count += len(os.read(self.master, 65536))
                except OSError:
                    time.sleep(0.01)


def segments_out(port):
    """segs_out and bytes_acked of the client's connection to `port`, or None."""
    out = subprocess.run(["ss", "-tinH", "state", "established", "( dport = :%d )" % port],
                         capture_output=True, text=True).stdout
    segs = re.search(r"segs_out:(\d+)", out)
    return int(segs.group(1)) if segs else None


def send(folder, port_name, tcp_port, drain, expected):
    ini = os.path.join(folder, "drovane.ini")
    with open(ini, "wb") as f:
        f.write(("Maschine = B\r\n[B]\r\nBaudrate = 115200\r\nCOM-Nummer = %s\r\n"
                 "Protokoll = NOHANDSHAKE\r\n"
                 % port_name).encode())
    before_bytes = drain.count
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.monotonic()
    child = subprocess.Popen([cli, "send", "--settings", ini, os.path.join(folder, "P.nc")],
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    segments = None
    while child.poll() is None:
        if tcp_port:
            segments = segments_out(tcp_port) or segments
        time.sleep(0.2)
    elapsed = time.monotonic() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    output = child.stdout.read().decode(errors="replace")
    deadline = time.monotonic() + 30
    while drain.count - before_bytes < expected and time.monotonic() < deadline:
        time.sleep(0.05)
    cpu = (after.ru_utime - usage.ru_utime) + (after.ru_stime - usage.ru_stime)
    arrived = drain.count - before_bytes
    return elapsed, cpu, segments, arrived, output


def main():
    master, slave = pty.openpty()
    tty.setraw(master)
    slave_path = os.ttyname(slave)
    drain = Drain(master)
    with tempfile.TemporaryDirectory() as folder:
        # Text without NUL: every byte of it goes out.
        line = b"N10 G01 X123.456 Y-78.9 Z0.5 F1500\r\n"
        with open(os.path.join(folder, "P.nc"), "wb") as f:
            f.write((line * (size // len(line) + 1))[:size])
        rfc_port, raw_port = free_port(), free_port()
        connector = "  connector: serialdev,%s,115200n81,local\n" % slave_path
        with open(os.path.join(folder, "ser2net.yaml"), "w") as f:
            f.write("%%YAML 1.1\n---\nconnection: &a\n  accepter: telnet(rfc2217),tcp,127.0.0.1,%d\n%s"
                    "connection: &b\n  accepter: tcp,127.0.0.1,%d\n%s"
                    % (rfc_port, connector, raw_port, connector))
        server = subprocess.Popen(["ser2net", "-c", os.path.join(folder, "ser2net.yaml"), "-n",
                                   "-P", os.path.join(folder, "ser2net.pid")],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.0)
        try:
            expected = size + 1  # the end character
            print("%-28s %12s %10s %12s %10s" % ("port", "bytes/s", "CPU s/MB", "segments/KB",
                                                  "arrived"))
            for name, port_name, tcp_port in (("local pty", slave_path, None),
                                              ("rfc2217:// via ser2net",
                                               "rfc2217://127.0.0.1:%d" % rfc_port, rfc_port),
                                              ("socket:// via ser2net",
                                               "socket://127.0.0.1:%d" % raw_port, raw_port)):
                elapsed, cpu, segments, arrived, output = send(folder, port_name, tcp_port,
                                                               drain, expected)
                per_kb = "-" if segments is None else "%.2f" % (segments / (size / 1024))
                print("%-28s %12.0f %10.3f %12s %10d" % (name, size / elapsed,
                                                         cpu / (size / (1 << 20)), per_kb, arrived))
                if arrived != expected:
                    print(output)
        finally:
            server.terminate()
            server.wait()
            drain.stop = True


if __name__ == "__main__":
    main()
