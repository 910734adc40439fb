"""Whole-program timing of a job's output: how many lines per second the real
launcher takes from a script into its log and tail, and whether the interface
keeps taking frames meanwhile.

    KORVIX_LAUNCHER_BINARY=build/linux/korvix-launcher python3 bench/job_output_bench.py [LINES]

The fake PowerShell prints LINES "[n/m]" lines as fast as it can. The scripted
actions accept Stop a fixed number of frames after the job starts; when the
frames go on during the flood, Stop lands in it and the log ends short of LINES.
The rate is the extra run time that the lines cost, against a run without them.

Measured on the 2-core development machine (Linux, offscreen, Release build),
5,000,000 lines: 419,000 lines/s into the log and the tail (19.8 s against
7.8 s without the lines); a Stop 60 frames after the job started landed after
1,154,551 lines, so the interface kept taking frames during the flood. With
1,000,000 lines the difference to the baseline is too small to time reliably.
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "fixtures"))
import game_project  # noqa: E402

BUILD = ["down"] * 6 + ["accept", "accept"]


def run(binary, lines, steps):
    root = tempfile.mkdtemp(prefix="korvix-bench-")
    try:
        home, appdata, fake_bin = (os.path.join(root, n) for n in ("home", "appdata", "fakebin"))
        for folder in (home, appdata, fake_bin, os.path.join(home, "Downloads")):
            os.makedirs(folder, exist_ok=True)
        shutil.copy2(os.path.join(HERE, "..", "tests", "fixtures", "fake_pwsh", "pwsh"), fake_bin)
        iso = os.path.join(home, "Downloads", "Korvix.iso")
        open(iso, "wb").close()
        os.truncate(iso, (1 << 30) + (1 << 20))
        install = os.path.join(root, "install")
        sources = os.path.join(install, "build", "korvixvelarine")
        origin = os.path.join(root, "origin.git")
        work = os.path.join(root, "work")
        game_project.make_game_project(work)
        subprocess.run(["git", "clone", "-q", "--bare", work, origin], check=True)
        subprocess.run(["git", "clone", "-q", origin, sources], check=True)
        data = os.path.join(appdata, "KorvixVelarine")
        os.makedirs(data)
        with open(os.path.join(data, "launcher.ini"), "w", newline="\r\n") as f:
            f.write("branch=main\ninstall_dir=%s\nsource_dir=%s\n" % (install, sources))
        env = {"PATH": fake_bin + os.pathsep + os.environ["PATH"], "HOME": home, "USERPROFILE": home,
               "APPDATA": appdata, "SDL_VIDEO_DRIVER": "offscreen", "SDL_AUDIO_DRIVER": "dummy",
               "KORVIX_LAUNCHER_API_BASE": "http://127.0.0.1:9/repos/", "KORVIX_FAKE_PWSH_LINES": str(lines),
               "KORVIX_LAUNCHER_ACTIONS": ",".join(steps),
               "KORVIX_LAUNCHER_SCREENSHOT": os.path.join(root, "shot.bmp")}
        # A copy: after a successful install the launcher moves itself into the install folder.
        program = os.path.join(root, "korvix-launcher")
        shutil.copy2(binary, program)
        started = time.monotonic()
        subprocess.run([program], env=env, cwd=root, check=True, timeout=600,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        seconds = time.monotonic() - started
        (log,) = glob.glob(os.path.join(data, "logs", "install_*.log"))
        with open(log, encoding="utf-8") as f:
            logged = sum(1 for line in f if " flood line " in line)
        return seconds, logged
    finally:
        shutil.rmtree(root, ignore_errors=True)


def main():
    binary = os.path.abspath(os.environ.get("KORVIX_LAUNCHER_BINARY", "build/linux/korvix-launcher"))
    lines = int(sys.argv[1]) if len(sys.argv) > 1 else 1000000
    seconds, logged = run(binary, lines, BUILD)
    baseline, _ = run(binary, 0, BUILD)
    print("%d lines logged; the run took %.1f s, %.1f s without them: %.0f lines/s"
          % (logged, seconds, baseline, logged / max(seconds - baseline, 1e-3)))
    # Stop 60 frames (about 1 s) after the job starts.
    _, stopped_at = run(binary, lines, BUILD + ["up"] * 5 + ["accept"])
    state = "during the flood" if stopped_at < lines else "after the flood (no proof of frames during it)"
    print("Stop, counted in frames, landed %s: %d of %d lines were logged" % (state, stopped_at, lines))


if __name__ == "__main__":
    main()
