"""korvix-launcher.exe under Wine and Xvfb: the window opens, renders through
SDL's renderer, and the screenshot hook saves it and quits with 0."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from pixels import Screenshot, bmp_size, menu_top_background  # noqa: E402

BINARY = os.environ.get("KORVIX_LAUNCHER_BINARY", "")
WINE_RUN = os.environ.get("KORVIX_WINE_RUN", "")
PREFIX = os.environ.get("KORVIX_WINE_PREFIX", "")


def windows_path(path):
    """The Wine name of a host path: drive Z: is the host's root."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def start_x_server():
    """A private X server and its display name. The server picks a free display
    itself: two picked from outside at once (xvfb-run) can be the same."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1600x1000x24", "-nolisten",
                               "tcp"], pass_fds=(write_end,), stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as f:
        number = f.readline().strip()
    if not number:
        server.kill()
        raise RuntimeError("Xvfb gave no display")
    return server, ":" + number


class WineGuiSmokeTest(unittest.TestCase):
    def setUp(self):
        for name, value in (("KORVIX_LAUNCHER_BINARY", BINARY), ("KORVIX_WINE_RUN", WINE_RUN),
                            ("KORVIX_WINE_PREFIX", PREFIX)):
            if not value:
                self.fail(f"{name} must be set")
        # A folder name with a blank and letters outside ASCII, as a player's may have.
        self.root = os.path.join(tempfile.mkdtemp(prefix="korvix-wine-"), "Spiele J\u00f6rg \u30c6\u30b9\u30c8")
        os.makedirs(self.root)
        self.addCleanup(shutil.rmtree, os.path.dirname(self.root), ignore_errors=True)
        for folder in ("home", "appdata", "bin"):
            os.makedirs(os.path.join(self.root, folder))
        # A copy, as a player's download would be: the launcher may move itself.
        self.binary = os.path.join(self.root, "bin", "korvix-launcher.exe")
        shutil.copy2(BINARY, self.binary)

    def run_under_wine(self, **extra_env):
        wineserver = shutil.which("wineserver") or "/usr/lib/wine/wineserver"
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        env.update({
            "APPDATA": windows_path(os.path.join(self.root, "appdata")),
            "USERPROFILE": windows_path(os.path.join(self.root, "home")),
            "SDL_AUDIO_DRIVER": "dummy",
            # OpenGL, named so that SDL can't quietly fall back to the software
            # renderer. Direct3D 11, SDL's first choice on Windows, and the others
            # are checked in test_renderers.
            "SDL_RENDER_DRIVER": "opengl",
            "WINEPREFIX": os.path.abspath(PREFIX),
            "KORVIX_WINESERVER": wineserver,
        })
        env.update(extra_env)
        # A private X server per run. Wine's desktop process is ended while that
        # server still runs, so nothing of this run outlives it.
        x_server, env["DISPLAY"] = start_x_server()
        try:
            script = '"$0" "$@"; status=$?; "$KORVIX_WINESERVER" -k; exit $status'
            return subprocess.run(["sh", "-c", script, WINE_RUN, PREFIX, self.binary], env=env, cwd=self.root,
                                  stdin=subprocess.DEVNULL, capture_output=True, text=True, errors="replace",
                                  timeout=540)
        finally:
            x_server.kill()
            x_server.wait()

    def test_window_renders_and_the_screenshot_hook_quits_with_0(self):
        shot = os.path.join(self.root, "shot.bmp")
        run = self.run_under_wine(KORVIX_LAUNCHER_SCREENSHOT=windows_path(shot))
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        keep = os.environ.get("KORVIX_KEEP_SCREENSHOTS")
        if keep and os.path.exists(shot):
            os.makedirs(keep, exist_ok=True)
            shutil.copy2(shot, os.path.join(keep, "wine_gui_smoke.bmp"))
        self.assertTrue(os.path.exists(shot), "no screenshot written")
        self.assertEqual(bmp_size(shot), (1280, 760))
        # The menu's deep blue background at the top, lighter towards the bottom:
        # a picture was really rendered, not a blank read-back.
        picture = Screenshot(shot)
        top, bottom = picture.pixel(5, 5), picture.pixel(5, 750)
        self.assertLess(top[2], bottom[2])
        self.assertTrue(menu_top_background(top), top)


if __name__ == "__main__":
    unittest.main()
