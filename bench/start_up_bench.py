"""Start-up: the time from starting the launcher to its first presented frame,
against a bare SDL3 + Dear ImGui program set up the same way that draws one
small window (bench/bare_imgui_frame.cpp), and against the same program when it
also fills its window, as the launcher's picture does.

    python3 bench/start_up_bench.py [RUNS] [--driver offscreen|x11]

Both programs run RUNS times each (default 15), taking turns, each in a fresh
temporary home. With KORVIX_LAUNCHER_BENCH_FIRST_FRAME set, a program prints
the steady clock's time right after its first present and quits; the time is
counted from just before the program is started, on the same clock. Prints
the medians and the ratios (the goal: at most 1.3).
"""
import argparse
import statistics
import time

from whole_program import TempHome, programs


def first_frame_ms(program, driver, **env):
    with TempHome(program, driver) as home:
        started = time.monotonic_ns()
        process = home.start(KORVIX_LAUNCHER_BENCH_FIRST_FRAME="1", **env)
        out, _ = process.communicate(timeout=60)
    for line in out.decode().splitlines():
        if line.startswith("first_frame_steady_ns="):
            return (int(line.split("=", 1)[1]) - started) / 1e6
    raise SystemExit(f"{program} reported no first frame (exit {process.returncode})")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("runs", nargs="?", type=int, default=15)
    parser.add_argument("--driver", default="offscreen")
    args = parser.parse_args()
    found = programs()
    runs = {"launcher": (found["launcher"], {}), "bare": (found["bare"], {}),
            "bare, full window": (found["bare"], {"KORVIX_BARE_FULL_WINDOW": "1"})}
    times = {name: [] for name in runs}
    for _ in range(args.runs):
        for name, (program, env) in runs.items():
            times[name].append(first_frame_ms(program, args.driver, **env))
    medians = {name: statistics.median(values) for name, values in times.items()}
    for name, values in times.items():
        print("%-18s median %6.1f ms  (min %.1f, max %.1f, %d runs, %s driver)"
              % (name, medians[name], min(values), max(values), len(values), args.driver))
    print("ratio launcher / bare: %.2f" % (medians["launcher"] / medians["bare"]))
    print("ratio launcher / bare filling its window: %.2f" % (medians["launcher"] / medians["bare, full window"]))


if __name__ == "__main__":
    main()
