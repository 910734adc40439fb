"""The main menu and the settings pages, driven by scripted actions."""
import os
import unittest

from launcher_harness import LauncherTestCase, make_install
from pixels import ACCENT, TEXT_EDGE, Screenshot, bmp_size


def make_sparse_file(path, size):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.truncate(size)


def read_ini_lines(path):
    with open(path, "rb") as f:
        data = f.read()
    return data


class NotInstalledMenuTest(LauncherTestCase):
    def test_toggling_graphics_saves_launcher_ini(self):
        image = os.path.join(self.home, "Downloads", "Korvix (Xbox 360).iso")
        make_sparse_file(image, 7 * 2**30)
        # Rows: Disc image, Branch, Install to, Graphics, ...
        run = self.run_launcher(KORVIX_LAUNCHER_ACTIONS="down,down,down,accept")
        self.assertEqual(run.returncode, 0, run.stderr)
        data = read_ini_lines(os.path.join(self.appdata, "KorvixVelarine", "launcher.ini"))
        self.assertNotIn(b"\n", data.replace(b"\r\n", b""), "every line ends in CR LF")
        lines = data.decode("utf-8").split("\r\n")
        self.assertEqual(lines[-1], "")
        entries = dict(line.split("=", 1) for line in lines[:-1])
        keys = [line.split("=", 1)[0] for line in lines[:-1]]
        self.assertEqual(keys, sorted(keys))
        self.assertEqual(entries["look"], "original")
        self.assertEqual(os.path.realpath(entries["iso"]), os.path.realpath(image))
        self.assertEqual(entries["branch"], "main")

    def test_disc_image_dialog_headless_says_it_is_unavailable(self):
        # Nine rows from y 224, 37 high, end at 557; the status area starts 1.2 margins below.
        status_top = 585
        before = self.run_launcher()
        status = (186, status_top, 900, status_top + 22)
        self.assertFalse(Screenshot(before.screenshot).has_colour(ACCENT, TEXT_EDGE, *status),
                         "without a message the status area starts with dim help text")
        run = self.run_launcher(KORVIX_LAUNCHER_ACTIONS="accept")
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(bmp_size(run.screenshot), (1280, 760))
        self.assertTrue(Screenshot(run.screenshot).has_colour(ACCENT, TEXT_EDGE, *status),
                        "the dialog's failure is shown as the status message")


class InstalledMenuTest(LauncherTestCase):
    def setUp(self):
        super().setUp()
        self.install = os.path.join(self.home, "Games", "KorvixVelarine")
        make_install(self.install)

    def write_toml(self, text):
        with open(os.path.join(self.install, "korvix.toml"), "wb") as f:
            f.write(text.encode("utf-8"))

    def read_toml(self):
        with open(os.path.join(self.install, "korvix.toml"), "rb") as f:
            return f.read().decode("utf-8")

    def test_frame_rate_left_from_auto_stores_unlocked(self):
        self.write_toml("# the game's settings\nfullscreen = false\n[audio]\nvolume = 7\n")
        # Main: Play, Graphics settings; display page: Fullscreen, Frame rate.
        run = self.run_launcher(KORVIX_LAUNCHER_ACTIONS="down,accept,down,left")
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(self.read_toml(),
                         "# the game's settings\r\nfullscreen = false\r\n[audio]\r\nvolume = 7\r\n"
                         "frame_rate_limit = \"0\"\r\n")

    def test_dimmed_effect_rows_still_change_and_save(self):
        self.write_toml("velarine_graphics = false\n")
        # Display page: 9 settings, then Effects; on it, Camera motion blur is second.
        actions = ["down", "accept"] + ["down"] * 9 + ["accept", "down", "accept"]
        run = self.run_launcher(KORVIX_LAUNCHER_ACTIONS=",".join(actions))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(self.read_toml(), "velarine_graphics = false\r\nnative_camera_motion_blur = false\r\n")

    def test_subtitles_page_steps_a_setting(self):
        # Main: Play, Graphics settings, Upscale textures, Subtitles; the page starts on "Subtitles".
        run = self.run_launcher(KORVIX_LAUNCHER_ACTIONS="down,down,down,accept,accept")
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(self.read_toml(), "subtitles = 2\r\n")

    def test_back_from_effects_returns_to_the_display_page(self):
        actions = ["down", "accept"] + ["down"] * 9 + ["accept", "down"]
        # Escape isn't scriptable; "Back" is the last row of the effects page (15 settings).
        actions += ["down"] * 14 + ["accept", "down", "accept"]
        run = self.run_launcher(KORVIX_LAUNCHER_ACTIONS=",".join(actions))
        self.assertEqual(run.returncode, 0, run.stderr)
        # Back lands on the display page's first row; down then accept toggles nothing but
        # steps Frame rate right from Auto.
        self.assertEqual(self.read_toml(), 'frame_rate_limit = "30"\r\n')

    def test_main_menu(self):
        run = self.run_launcher()
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(bmp_size(run.screenshot), (1280, 760))


if __name__ == "__main__":
    unittest.main()
