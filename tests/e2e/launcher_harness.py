"""Runs the real korvix-launcher binary headless, the way a test needs it.

Each run gets its own temporary home: APPDATA, USERPROFILE, HOME and the XDG
folders point inside it, so nothing outside is touched. The binary is copied
into the temporary folder first, because the launcher may move itself into
the install folder.
"""
import glob
import os
import shutil
import subprocess
import tempfile
import unittest

BINARY = os.environ.get("KORVIX_LAUNCHER_BINARY", "")

# Mesa's EGL and software GL driver keep allocations in globals and are
# unloaded when SDL quits, so LeakSanitizer reports them from an unknown module,
# where no suppression can name them. Loaded from the start they stay mapped,
# and what their globals hold is no leak.
# How much slower the launcher runs than a plain build: a sanitizer build sets
# this, and screenshots that wait for something to finish wait that much longer.
TIME_SCALE = float(os.environ.get("KORVIX_E2E_TIME_SCALE", "1"))


def settled_ms(ms):
    """A screenshot time that waits for work to end, stretched for slow builds."""
    return str(int(ms * TIME_SCALE))


GL_DRIVER_KEPT = {
    "LD_PRELOAD": " ".join(
        sorted(glob.glob("/usr/lib/*/libEGL_mesa.so.0")) + sorted(glob.glob("/usr/lib/*/dri/swrast_dri.so"))
    )
}


class LauncherRun:
    def __init__(self, returncode, stdout, stderr, screenshot):
        self.returncode = returncode
        self.stdout = stdout
        self.stderr = stderr
        self.screenshot = screenshot


def file_lines(path):
    """The lines of a text file another program appends to; none before it exists."""
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as f:
        return f.read().splitlines()


def make_install(folder):
    """Stand-ins for the game's program and data: the folder counts as installed."""
    os.makedirs(os.path.join(folder, "game"), exist_ok=True)
    for name in ("korvix.exe", os.path.join("game", "default.xex")):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(b"stand-in")


class LauncherTestCase(unittest.TestCase):
    """Base class: a temporary home per test and a copy of the binary in it."""

    def setUp(self):
        if not BINARY or not os.path.exists(BINARY):
            self.fail("KORVIX_LAUNCHER_BINARY must name the built korvix-launcher")
        self.root = tempfile.mkdtemp(prefix="korvix-e2e-")
        self.addCleanup(shutil.rmtree, self.root, ignore_errors=True)
        self.home = os.path.join(self.root, "home")
        self.appdata = os.path.join(self.root, "appdata")
        os.makedirs(self.home)
        os.makedirs(self.appdata)
        bin_dir = os.path.join(self.root, "bin")
        os.makedirs(bin_dir)
        self.binary = os.path.join(bin_dir, os.path.basename(BINARY))
        shutil.copy2(BINARY, self.binary)

    def restore_binary(self):
        """A launcher that found an install moved itself into it: the next run needs a copy."""
        if not os.path.exists(self.binary):
            shutil.copy2(BINARY, self.binary)

    def environment(self, **extra):
        env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": self.home,
            "USERPROFILE": self.home,
            "APPDATA": self.appdata,
            "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_RUNTIME_DIR": self.root,
            "SDL_VIDEO_DRIVER": "offscreen",
            "SDL_AUDIO_DRIVER": "dummy",
            # Nothing listens there: the checks against GitHub fail at once,
            # unless a test points this at its fake GitHub.
            "KORVIX_LAUNCHER_API_BASE": "http://127.0.0.1:9/repos/",
        }
        # A sanitizer build's options (scripts/sanitize.sh), so that the
        # launcher's reports land where the run looks for them.
        for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "TSAN_OPTIONS"):
            if name in os.environ:
                env[name] = os.environ[name]
        if "ASAN_OPTIONS" in os.environ:
            env.update(GL_DRIVER_KEPT)
        for key, value in extra.items():
            if value is None:
                env.pop(key, None)
            else:
                env[key] = value
        return env

    def run_launcher(self, timeout=120, screenshot=True, **extra_env):
        shot = os.path.join(self.root, "shot.bmp") if screenshot else None
        if shot:
            extra_env.setdefault("KORVIX_LAUNCHER_SCREENSHOT", shot)
        proc = subprocess.run([self.binary], env=self.environment(**extra_env), cwd=self.root,
                              stdin=subprocess.DEVNULL, capture_output=True, timeout=timeout)
        result = LauncherRun(proc.returncode, proc.stdout.decode("utf-8", "replace"),
                             proc.stderr.decode("utf-8", "replace"), shot)
        keep = os.environ.get("KORVIX_KEEP_SCREENSHOTS")
        if keep and shot and os.path.exists(shot):
            os.makedirs(keep, exist_ok=True)
            shutil.copy2(shot, os.path.join(keep, self.id().split(".")[-1] + ".bmp"))
        return result


class EditorTestCase(LauncherTestCase):
    """An install holding the subclass's SUBTITLES and the stand-in subtitle
    maker, which notes each of its runs."""

    SUBTITLES = ""

    def setUp(self):
        super().setUp()
        maker = os.environ.get("KORVIX_SUBTITLE_MAKER")
        if not maker or not os.path.exists(maker):
            self.fail("KORVIX_SUBTITLE_MAKER must name the built stand-in subtitle maker")
        self.install = os.path.join(self.home, "Games", "KorvixVelarine")
        make_install(self.install)
        os.makedirs(os.path.join(self.install, "subtitles"))
        with open(os.path.join(self.install, "subtitles", "korvix.subtitles"), "wb") as f:
            f.write(self.SUBTITLES.encode())
        self.maker = os.path.join(self.install, "korvix-subtitles.exe")
        shutil.copy2(maker, self.maker)
        self.cache = os.path.join(self.install, "subtitles", "work", "play")
        self.runs = os.path.join(self.root, "runs.txt")

    def launch_editor(self, **env):
        """A run straight into the editor; it must end well."""
        self.restore_binary()
        run = self.run_launcher(KORVIX_LAUNCHER_EDITOR="1", KORVIX_MAKER_RUNS=self.runs, **env)
        self.assertEqual(run.returncode, 0, run.stderr)
        return run

    def maker_runs(self):
        """A line a run: "extract SOURCE > PATH" or "movie-frames SOURCE > FOLDER"."""
        return file_lines(self.runs)
