"""Idle: CPU time and resident size of the launcher over 10 seconds once its
title banner has finished (no job, no input), next to the resident size of a
bare SDL3 + Dear ImGui program that drew one frame and waits for events.
Linux only (it reads /proc).

    python3 bench/idle_bench.py [--driver offscreen|x11] [--settle SECONDS]

The banner plays for about 9 s; measuring starts after --settle seconds
(default 12). Under x11 a display is needed: run it under xvfb-run -a.
The goal: under 1 % of a core, and a resident size within 25 MiB of the bare
program's.
"""
import argparse
import glob
import os
import time

from whole_program import TempHome, programs

WINDOW_S = 10.0


def cpu_ns(pid):
    """CPU time of all the process's threads, from the scheduler's own count."""
    total = 0
    for stat in glob.glob(f"/proc/{pid}/task/*/schedstat"):
        try:
            with open(stat) as f:
                total += int(f.read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass  # a thread that ended meanwhile
    return total


def resident_mib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


def measure(program, driver, settle):
    with TempHome(program, driver) as home:
        process = home.start()
        try:
            time.sleep(settle)
            if process.poll() is not None:
                raise SystemExit(f"{program} ended early (exit {process.returncode})")
            rss_before, cpu_before, wall_before = resident_mib(process.pid), cpu_ns(process.pid), time.monotonic()
            time.sleep(WINDOW_S)
            rss_after, cpu_after, wall_after = resident_mib(process.pid), cpu_ns(process.pid), time.monotonic()
        finally:
            process.terminate()
            process.wait(timeout=30)
    share = (cpu_after - cpu_before) / 1e9 / (wall_after - wall_before)
    return share, rss_before, rss_after


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--driver", default="offscreen")
    parser.add_argument("--settle", type=float, default=12.0)
    args = parser.parse_args()
    found = programs()
    results = {name: measure(program, args.driver, args.settle) for name, program in found.items()}
    for name, (share, before, after) in results.items():
        print("%-8s %5.2f %% of a core over %.0f s; resident %.1f MiB -> %.1f MiB (%s driver)"
              % (name, 100 * share, WINDOW_S, before, after, args.driver))
    print("resident size above the bare program's: %.1f MiB" % (results["launcher"][2] - results["bare"][2]))


if __name__ == "__main__":
    main()
