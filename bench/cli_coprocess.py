#!/usr/bin/env python3
"""The converter as a co-process: one date written, its answer awaited, then the next, through
pipes and through a pseudo-terminal. Prints the round trip per line, the median of LINES lines.
    cli_coprocess.py PROGRAM [LINES]"""
import os
import pty
import statistics
import subprocess
import sys
import time

program = sys.argv[1]
lines = int(sys.argv[2]) if len(sys.argv) > 2 else 2000
dates = [b"2024-04-23\n", "ט״ו ניסן תשפ״ד\n".encode(), b"1 Tishri 5785\n"]


def read_line(descriptor, pending):
    while b"\n" not in pending:
        chunk = os.read(descriptor, 4096)
        if not chunk:
            raise SystemExit("the converter ended early")
        pending += chunk
    answer, _, rest = pending.partition(b"\n")
    return answer, rest


def round_trips(write_to, read_from, echo):
    times, pending = [], b""
    for i in range(lines):
        date = dates[i % len(dates)]
        start = time.perf_counter()
        os.write(write_to, date)
        if echo:  # a terminal shows the typed line first
            _, pending = read_line(read_from, pending)
        _, pending = read_line(read_from, pending)
        times.append(time.perf_counter() - start)
    return statistics.median(times) * 1e6


process = subprocess.Popen([program, "-"], stdin=subprocess.PIPE, stdout=subprocess.PIPE)
piped = round_trips(process.stdin.fileno(), process.stdout.fileno(), False)
process.stdin.close()
process.wait()

child, terminal = pty.fork()
if child == 0:
    os.execv(program, [program, "-"])
on_terminal = round_trips(terminal, terminal, True)
os.write(terminal, b"\x04")
os.waitpid(child, 0)

print(f"{'detron-convert - as a co-process, through pipes':58s} {lines:8d} lines {piped:7.0f} us a line (median)")
print(f"{'detron-convert - as a co-process, on a terminal':58s} {lines:8d} lines {on_terminal:7.0f} us a line (median)")
