#!/usr/bin/env python3
"""Start-up as a person waits for it: from launch until the program has finished starting.

Starts the converter and an empty Qt window of the same size, alternating (with --also, further
programs for comparison, such as the empty window with one line of text), and for each run
samples the CPU time of all the process's threads every millisecond. The program is ready at
its last CPU use, once it has gone quiet and its window is mapped on the display; the CPU time
all its threads used until then is printed too, a figure other load on the machine disturbs
less. The run then watches it idle for a while (its CPU use there should be 0) and reads its
peak memory (VmHWM).
Needs DISPLAY (a window manager running) and xdotool.

  startup_qt.py PROGRAM YARDSTICK [--runs N] [--also "COMMAND ARG..."]...
"""
import argparse
import os
import shlex
import signal
import statistics
import subprocess
import sys
import time

QUIET_NS = 500_000_000      # no CPU use for this long ends the start-up
IDLE_WATCH_NS = 1_000_000_000
TIMEOUT_NS = 30_000_000_000
SAMPLE_S = 0.001


def cpu_ns(pid):
    total = 0
    try:
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
    except (FileNotFoundError, ProcessLookupError):
        pass  # a thread that ended between listing and reading
    return total


def peak_memory_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def window_mapped(pid):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    return found.returncode == 0 and found.stdout.strip() != ""


def measure(command):
    program = command[0]
    env = dict(os.environ)
    env.pop("QT_QPA_PLATFORM", None)
    start = time.monotonic_ns()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    pid = process.pid
    used = 0
    last_use = start
    try:
        while True:
            now = time.monotonic_ns()
            if now - start > TIMEOUT_NS:
                raise RuntimeError(f"{program} did not settle within {TIMEOUT_NS // 10**9} s")
            if process.poll() is not None:
                raise RuntimeError(f"{program} ended with {process.returncode}")
            current = cpu_ns(pid)
            if current != used:
                used = current
                last_use = now
            elif now - last_use > QUIET_NS and window_mapped(pid):
                # The check itself may have woken the program (a query of its window); what
                # counts is the last use before the quiet began.
                break
            time.sleep(SAMPLE_S)
        ready_ms = (last_use - start) / 1e6
        cpu_ms = used / 1e6
        settled = cpu_ns(pid)
        time.sleep(IDLE_WATCH_NS / 1e9)
        idle_ms = (cpu_ns(pid) - settled) / 1e6
        peak = peak_memory_kib(pid)
    finally:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
    return ready_ms, idle_ms, peak, cpu_ms


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("yardstick")
    parser.add_argument("--runs", type=int, default=11)
    parser.add_argument("--also", action="append", default=[])
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("startup_qt.py: needs a display with a window manager (tools/x-session.sh)")

    commands = [[args.program], [args.yardstick]] + [shlex.split(also) for also in args.also]
    names = [" ".join(os.path.basename(part) if i == 0 else part for i, part in enumerate(c)) for c in commands]
    results = [[] for _ in commands]
    for command in commands:
        measure(command)  # warms the file cache; not counted
    for run in range(args.runs):
        # Each program goes first in turn, so that none always follows the same one.
        shift = run % len(commands)
        for index in list(range(len(commands)))[shift:] + list(range(len(commands)))[:shift]:
            ready, idle, peak, cpu = measure(commands[index])
            results[index].append((ready, idle, peak, cpu))
            print(f"run {run + 1:2}  {names[index]:22} ready {ready:7.1f} ms  CPU {cpu:6.1f} ms"
                  f"  idle CPU {idle:5.2f} ms/s  peak {peak / 1024:6.1f} MiB", flush=True)

    medians = [statistics.median(r[0] for r in rows) for rows in results]
    for name, rows, median in zip(names, results, medians):
        print(f"{name:22} median ready {median:7.1f} ms"
              f"  (min {min(r[0] for r in rows):.1f}, max {max(r[0] for r in rows):.1f})"
              f"  CPU until ready {statistics.median(r[3] for r in rows):.1f} ms"
              f"  idle CPU max {max(r[1] for r in rows):.2f} ms/s"
              f"  peak memory {max(r[2] for r in rows) / 1024:.1f} MiB")
    for name, median in list(zip(names, medians))[2:]:
        print(f"{name} / {names[1]}: {median / medians[1]:.2f}")
    cpu = [statistics.median(r[3] for r in rows) for rows in results]
    print(f"CPU until ready, {names[0]} / {names[1]}: {cpu[0] / cpu[1]:.2f}")
    print(f"ratio {medians[0] / medians[1]:.2f} ({args.runs} runs each, load {os.getloadavg()[0]:.2f},"
          f" {os.cpu_count()} cores)")


if __name__ == "__main__":
    main()
