"""Runs the launcher and the bare SDL3 + Dear ImGui program for the
whole-program benchmarks, each in a temporary home of its own: a first start,
nothing installed, no disc image, GitHub out of reach."""
import os
import shutil
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def programs():
    """The launcher and the bare program of a benchmark build (see the README)."""
    build = os.environ.get("KORVIX_BENCH_BUILD", os.path.join(HERE, "..", "build", "bench"))
    launcher = os.environ.get("KORVIX_LAUNCHER_BINARY", os.path.join(build, "korvix-launcher"))
    bare = os.path.join(build, "bench", "bare_imgui_frame")
    for path in (launcher, bare):
        if not os.path.exists(path):
            raise SystemExit(f"{path} is missing: build the benchmarks first (README, Benchmarks)")
    return {"launcher": os.path.abspath(launcher), "bare": os.path.abspath(bare)}


class TempHome:
    """A temporary home, data folder and copy of the program; removed on exit."""

    def __init__(self, program, driver):
        self.root = tempfile.mkdtemp(prefix="korvix-bench-")
        self.home = os.path.join(self.root, "home")
        appdata = os.path.join(self.root, "appdata")
        os.makedirs(self.home)
        os.makedirs(appdata)
        # A copy: the launcher may move itself into an install folder.
        self.program = os.path.join(self.root, os.path.basename(program))
        shutil.copy2(program, self.program)
        self.env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": self.home, "USERPROFILE": self.home,
                    "APPDATA": appdata, "XDG_RUNTIME_DIR": self.root, "SDL_VIDEO_DRIVER": driver,
                    "SDL_AUDIO_DRIVER": "dummy", "KORVIX_LAUNCHER_API_BASE": "http://127.0.0.1:9/repos/"}
        for name in ("DISPLAY", "XAUTHORITY", "WAYLAND_DISPLAY"):
            if name in os.environ:
                self.env[name] = os.environ[name]

    def start(self, **extra_env):
        return subprocess.Popen([self.program], env=dict(self.env, **extra_env), cwd=self.root,
                                stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        shutil.rmtree(self.root, ignore_errors=True)
