#!/usr/bin/env python3
"""Runs serial_send_bench.exe under Wine with a pseudo-terminal as COM7 whose
master is drained here, so that the writes never wait for a reader.

    bench/win32/run_serial_send_bench.py [BYTES [ROUNDS]]

Needs the windows preset built (serial_send_bench). Uses build/windows/wineprefix
unless WINEPREFIX is set.
"""
import os
import pty
import select
import subprocess
import sys
import termios
import tty

root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
prefix = os.environ.setdefault("WINEPREFIX", os.path.join(root, "build/windows/wineprefix"))
os.environ.setdefault("WINEDEBUG", "-all")
exe = os.path.join(root, "build/windows/bin/serial_send_bench.exe")

# A prefix that does not exist yet must be made before a link goes into it:
# a dosdevices folder made first leaves Wine without its drives, and the
# benchmark then waits for a port that never opens.
if not os.path.isdir(os.path.join(prefix, "drive_c")):
    subprocess.run(["wineboot", "--init"], stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    subprocess.run(["wineserver", "--wait"], check=False)

master, slave = pty.openpty()
tty.setraw(slave)  # a Windows port starts without XON/XOFF
os.set_blocking(master, False)
link = os.path.join(prefix, "dosdevices/com7")
if os.path.lexists(link):
    os.remove(link)
os.makedirs(os.path.dirname(link), exist_ok=True)
os.symlink(os.ttyname(slave), link)

# A wineserver started here holds none of this script's descriptors and keeps
# its messages to itself.
subprocess.run(["wineserver", "-p"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
               stderr=subprocess.DEVNULL, check=False)
bench = subprocess.Popen(["wine", exe, "COM7"] + sys.argv[1:], stdin=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL)
drained = 0
try:
    while True:
        running = bench.poll() is None
        ready, _, _ = select.select([master], [], [], 0.05)
        if ready:
            try:
                drained += len(os.read(master, 65536))
                continue
            except BlockingIOError:
                pass
        if not running:
            break
finally:
    os.remove(link)
    # The persistent server and the Wine processes it keeps would otherwise
    # outlive the run, holding whatever reads this script's output.
    subprocess.run(["wineserver", "-k"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=False)
print(f"drained {drained} bytes at the far end")
sys.exit(bench.returncode)
