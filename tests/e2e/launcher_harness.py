"""Runs the real korvix-launcher binary headless, the way a test needs it.

Each run gets its own temporary home: APPDATA, USERPROFILE, HOME and the XDG
folders point inside it, so nothing outside is touched. The binary is copied
into the temporary folder first, because the launcher may move itself into
the install folder.
"""
import glob
import os
import shutil
import struct
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


def bmp_size(path):
    """(width, height) of a BMP file, from its header."""
    with open(path, "rb") as f:
        header = f.read(26)
    if header[:2] != b"BM":
        raise AssertionError(f"{path} is no BMP file")
    width, height = struct.unpack("<ii", header[18:26])
    return width, abs(height)


def bmp_pixel(path, x, y):
    """(r, g, b) of one pixel of a 24- or 32-bit BMP, y counted from the top."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack("<I", data[10:14])[0]
    width, height = struct.unpack("<ii", data[18:26])
    bits = struct.unpack("<H", data[28:30])[0]
    masks = struct.unpack("<III", data[54:66]) if bits == 32 and len(data) > 66 else None
    step = bits // 8
    row_size = (width * step + 3) & ~3
    row = y if height < 0 else abs(height) - 1 - y
    start = offset + row * row_size + x * step
    if bits == 32 and masks and masks != (0, 0, 0):
        value = struct.unpack("<I", data[start:start + 4])[0]
        def channel(mask):
            shift = (mask & -mask).bit_length() - 1
            return (value & mask) >> shift
        return channel(masks[0]), channel(masks[1]), channel(masks[2])
    b, g, r = data[start], data[start + 1], data[start + 2]
    return r, g, b


class Screenshot:
    """A 24- or 32-bit BMP (the launcher's screenshots) read once: many pixels are looked at."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        data = self.data
        self.offset = struct.unpack("<I", data[10:14])[0]
        self.width, height = struct.unpack("<ii", data[18:26])
        self.top_down = height < 0
        self.height = abs(height)
        self.step = struct.unpack("<H", data[28:30])[0] // 8
        masks = struct.unpack("<III", data[54:66]) if self.step == 4 and len(data) > 66 else None
        self.shifts = None
        if masks and masks != (0, 0, 0):
            self.shifts = [(mask, (mask & -mask).bit_length() - 1) for mask in masks]
        self.row_size = (self.width * self.step + 3) & ~3

    def pixel(self, x, y):
        """(r, g, b), y counted from the top."""
        row = y if self.top_down else self.height - 1 - y
        start = self.offset + row * self.row_size + x * self.step
        if self.shifts:
            value = struct.unpack_from("<I", self.data, start)[0]
            return tuple((value & mask) >> shift for mask, shift in self.shifts)
        return self.data[start + 2], self.data[start + 1], self.data[start]

    def count(self, test, left, top, right, bottom):
        return sum(1 for y in range(top, bottom) for x in range(left, right) if test(self.pixel(x, y)))

    def brightest(self, x, y):
        return max(sum(self.pixel(x + dx, y + dy)) for dx in (-1, 0, 1) for dy in (-1, 0, 1))

    def text_lines(self, left, top, right, bottom):
        """The lines of text in a rectangle over the menu's dark background, top
        down: (top, bottom, colour) with colour "white", "dim", "accent",
        "warning", "success" or "other", from the line's brightest pixel."""
        lines = []
        for y in range(top, bottom):
            row = [self.pixel(x, y) for x in range(left, right)]
            ink = max(row, key=lambda p: max(p))
            if max(ink) < 100:
                continue
            if lines and lines[-1][1] == y:
                first, _, best = lines[-1]
                lines[-1] = (first, y + 1, max(best, ink, key=sum))
            else:
                lines.append((y, y + 1, ink))
        return [(first, end, colour_name(ink)) for first, end, ink in lines]


def colour_name(rgb):
    """The menu colour a text's brightest pixel shows."""
    r, g, b = rgb
    if min(rgb) > 215:
        return "white"
    if r > 215 and 170 < g < 230 and b < 80:
        return "accent"
    if r > 215 and 80 < g < 140 and 60 < b < 120:
        return "warning"
    if g > 200 and r < 160 and b < 170:
        return "success"
    if 110 < min(rgb) and max(rgb) < 190 and max(rgb) - min(rgb) < 45:
        return "dim"
    return "other"


ACCENT = (255, 204, 0)
WARNING = (255, 110, 90)


def region_has_colour(path, colour, left, top, right, bottom, tolerance=40):
    """Whether any pixel of the rectangle is within `tolerance` of `colour`."""
    for y in range(top, bottom):
        for x in range(left, right):
            pixel = bmp_pixel(path, x, y)
            if all(abs(pixel[i] - colour[i]) <= tolerance for i in range(3)):
                return True
    return False


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
