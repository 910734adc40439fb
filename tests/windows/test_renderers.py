"""korvix-launcher.exe under Wine and Xvfb through SDL's renderers.

Left to itself SDL takes Direct3D 11 (Wine's runs over OpenGL); the launcher
logs it, and draws what the OpenGL renderer draws: the main menu with the
title banner, and the subtitle editor with a movie picture. SDL's hint picks
any one renderer, and without Direct3D 11 the default falls back to OpenGL.
The launcher's log reaches the test through cmd: SDL writes it to the console
of the GUI program's parent."""
import os
import re
import shutil
import tempfile
import unittest

import test_gui_smoke as wine
import test_shortcut
from pixels import SCALED_PICTURE, Screenshot, near

# The banner has played out (about 9 s from its first frame, which Wine may
# take seconds to show), and the editor's sound and pictures are in.
SCREENSHOT_MS = "20000"

# A movie clip of the stand-in subtitle maker: sixty pictures, each one flat
# colour; the seek puts the playhead at 2 s, on picture 20.
SUBTITLES = (
    "korvix-subtitles 2\n"
    "clip video 6000 1 2:00000000000000cd movies/intro ms=6000 fps=10 frames=60 width=320 height=180\n"
    "names Mira|Bo||||||||\n"
    "200 1500 s1 Tie the boat up.\n"
    "1500 3300 s2 It won't hold.\n"
    "3800 5200 s1 Then hold it.\n"
)
SEEK = "2000,1,4000"
PICTURE = (180, 60, 110)

# How far a renderer's picture may stray from OpenGL's: by `tolerance` in a
# channel, or (software) to the nearest match within `reach` pixels.
GPU = (8, 0)
# SDL's own rasteriser puts some edges a pixel over and filters textures its own way.
SOFTWARE = (96, 1)
# Pixels that may be off all the same, about two digits of the menu's small
# text: the free space it shows can change between two runs.
OFF_PIXELS = 200
WITHOUT_D3D11 = "korvix-launcher-without-d3d11.exe"


def rgb_planes(path):
    """(width, height, [reds, greens, blues]) of a screenshot, rows top down."""
    shot = Screenshot(path)
    return shot.width, shot.height, shot.planes()


def difference(reference, shot, tolerance, reach):
    """How `shot` strays from `reference`: (pixels off, their bounding box, mean
    difference). A pixel is off when no pixel of the reference within `reach`
    is within `tolerance` of it in every channel."""
    width, height, a = rgb_planes(reference)
    shot_width, shot_height, b = rgb_planes(shot)
    if (shot_width, shot_height) != (width, height):
        return width * height, None, 255.0
    off, box, total, skip_to = 0, None, 0, 0
    for i in range(width * height):
        if i % width == 0 and all(a[c][i:i + width] == b[c][i:i + width] for c in range(3)):
            skip_to = i + width  # a row alike in every channel
        if i < skip_to:
            continue
        here = (b[0][i], b[1][i], b[2][i])
        d = max(abs(a[c][i] - here[c]) for c in range(3))
        total += d
        if d <= tolerance:
            continue
        x, y = i % width, i // width
        near = (max(abs(a[c][j] - here[c]) for c in range(3)) <= tolerance
                for j in (yy * width + xx for yy in range(max(0, y - reach), min(height, y + reach + 1))
                          for xx in range(max(0, x - reach), min(width, x + reach + 1))))
        if not any(near):
            off += 1
            box = (min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y)) if box else (x, y, x, y)
    return off, box, total / (width * height)


class WineRendererTest(unittest.TestCase):
    setUp = wine.WineGuiSmokeTest.setUp
    run_under_wine = wine.WineGuiSmokeTest.run_under_wine
    wine_appdata = test_shortcut.WineShortcutTest.wine_appdata

    @classmethod
    def setUpClass(cls):
        cls.shots = tempfile.mkdtemp(prefix="korvix-renderers-")
        cls.references = {}

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.shots, ignore_errors=True)

    def open_editor_on_start(self):
        """An install with the movie clip and the stand-in maker, named in launcher.ini."""
        install = os.path.join(self.root, "Games", "KorvixVelarine")
        for name, data in (("korvix.exe", b"stand-in"), (os.path.join("game", "default.xex"), b"stand-in"),
                           (os.path.join("subtitles", "korvix.subtitles"), SUBTITLES.encode())):
            os.makedirs(os.path.dirname(os.path.join(install, name)), exist_ok=True)
            with open(os.path.join(install, name), "wb") as f:
                f.write(data)
        shutil.copy2(os.environ["KORVIX_SUBTITLE_MAKER"], os.path.join(install, "korvix-subtitles.exe"))
        ini = os.path.join(self.wine_appdata(), "KorvixVelarine", "launcher.ini")
        os.makedirs(os.path.dirname(ini), exist_ok=True)
        with open(ini, "wb") as f:
            f.write(("install_dir=%s\r\n" % wine.windows_path(install)).encode("utf-8"))
        # The prefix is shared: the next test must find no install.
        self.addCleanup(lambda: os.path.exists(ini) and os.remove(ini))
        return {"KORVIX_LAUNCHER_EDITOR": "1", "KORVIX_EDITOR_SEEK": SEEK}

    def launch(self, scene, hint=None, program="korvix-launcher.exe", first=""):
        """A run of `scene` ("menu" or "editor") with SDL's render driver hint
        (none: SDL's own order): (the run, the renderer it logged, its screenshot)."""
        env = self.open_editor_on_start() if scene == "editor" else {}
        # A fresh copy each time: with an install the launcher moves itself there.
        shutil.copy2(wine.BINARY, os.path.join(self.root, "bin", program))
        # ASCII only, in the run's current folder: cmd reads its script in the system code page.
        script = os.path.join(self.root, "run.cmd")
        with open(script, "w", newline="\r\n") as f:
            f.write("@echo off\n%s\n\"bin\\%s\"\nexit /b %%errorlevel%%\n" % (first, program))
        self.binary = script
        shot = os.path.join(self.shots, "%s_%s.bmp" % (scene, hint or "default"))
        run = self.run_under_wine(SDL_RENDER_DRIVER=hint or "", KORVIX_LAUNCHER_SCREENSHOT=wine.windows_path(shot),
                                  KORVIX_LAUNCHER_SCREENSHOT_MS=SCREENSHOT_MS, **env)
        keep = os.environ.get("KORVIX_KEEP_SCREENSHOTS")
        if keep and os.path.exists(shot):
            os.makedirs(keep, exist_ok=True)
            shutil.copy2(shot, os.path.join(keep, "wine_renderer_" + os.path.basename(shot)))
        logged = re.search(r"^Renderer: (\S+)$", run.stdout + run.stderr, re.M)
        return run, logged and logged.group(1), shot

    def shot(self, scene, hint=None, **launch):
        """(the renderer logged, the screenshot) of a run that must end well."""
        run, renderer, shot = self.launch(scene, hint, **launch)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        if scene == "editor":
            _, _, planes = rgb_planes(shot)
            pink = sum(1 for pixel in zip(*planes) if near(pixel, PICTURE, SCALED_PICTURE))
            self.assertGreater(pink, 20000, "no movie picture in the editor after %s ms" % SCREENSHOT_MS)
        return renderer, shot

    def assert_draws_as_opengl(self, scene, shot, tolerance, reach):
        if scene not in self.references:
            renderer, reference = self.shot(scene, "opengl")
            self.assertEqual(renderer, "opengl")
            self.references[scene] = reference
        off, box, mean = difference(self.references[scene], shot, tolerance, reach)
        self.assertLessEqual(off, OFF_PIXELS, "%d pixels off within %s (mean difference %.3f)" % (off, box, mean))

    def test_direct3d11_is_the_default_and_draws_as_opengl_does(self):
        for scene in ("menu", "editor"):
            with self.subTest(scene=scene):
                renderer, shot = self.shot(scene)
                self.assertEqual(renderer, "direct3d11")
                self.assert_draws_as_opengl(scene, shot, *GPU)

    def test_the_hint_picks_the_renderer(self):
        # Vulkan is Mesa's lavapipe behind Wine's Vulkan.
        for hint, tolerance in (("direct3d11", GPU), ("vulkan", GPU), ("software", SOFTWARE)):
            with self.subTest(hint=hint):
                renderer, shot = self.shot("menu", hint)
                self.assertEqual(renderer, hint)
                self.assert_draws_as_opengl("menu", shot, *tolerance)
        # Wine's OpenGL over Xvfb makes no OpenGL ES context: the hint still
        # holds, and the launcher says why it cannot start.
        run, renderer, _ = self.launch("menu", "opengles2")
        self.assertEqual((run.returncode, renderer), (1, None), run.stdout + run.stderr)
        self.assertIn("SDL_CreateRenderer failed: opengles2 not available", run.stdout + run.stderr)

    def test_without_direct3d11_the_default_order_goes_on_to_opengl(self):
        # Wine's d3d11.dll switched off for this program alone.
        switch_off = ("reg add \"HKCU\\Software\\Wine\\AppDefaults\\%s\\DllOverrides\" /v d3d11 /d \"\" /f >nul"
                      % WITHOUT_D3D11)
        renderer, shot = self.shot("menu", program=WITHOUT_D3D11, first=switch_off)
        self.assertEqual(renderer, "opengl")
        self.assert_draws_as_opengl("menu", shot, *GPU)


if __name__ == "__main__":
    unittest.main()
