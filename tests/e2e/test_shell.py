"""The application shell: window, screenshot hook, exit codes."""
import os
import time
import unittest

from launcher_harness import LauncherTestCase, settled_ms
from pixels import Screenshot, banner_gold, bmp_size, menu_top_background


class ShellTest(LauncherTestCase):
    def test_screenshot_hook_writes_the_window_and_exits_0(self):
        run = self.run_launcher()
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(bmp_size(run.screenshot), (1280, 760))
        # The background gradient: deep blue at the top, lighter towards the bottom.
        shot = Screenshot(run.screenshot)
        top, bottom = shot.pixel(5, 5), shot.pixel(5, 750)
        self.assertLess(top[2], bottom[2])
        self.assertTrue(menu_top_background(top), top)

    def test_screenshot_waits_for_its_time(self):
        started = time.monotonic()
        run = self.run_launcher(KORVIX_LAUNCHER_SCREENSHOT_MS=settled_ms(4000))
        elapsed = time.monotonic() - started
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertTrue(os.path.exists(run.screenshot))
        self.assertGreaterEqual(elapsed, 4.0)

    def test_screenshot_comes_no_earlier_than_frame_30_after_the_script(self):
        # Three actions: frames 10, 20, 30, then the screenshot no earlier than
        # frame 60. Idle frames take up to 50 ms, so that is well over a second.
        started = time.monotonic()
        run = self.run_launcher(KORVIX_LAUNCHER_ACTIONS="down,down,down")
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertTrue(os.path.exists(run.screenshot))
        self.assertGreater(time.monotonic() - started, 0.5)

    def test_after_idle_frames_the_screenshot_shows_the_current_picture(self):
        # Two moves early on, then seconds of frames that would show the same
        # picture, which are neither rendered nor presented: the screenshot
        # still reads back the whole current picture.
        run = self.run_launcher(KORVIX_LAUNCHER_ACTIONS="down,down", KORVIX_LAUNCHER_SCREENSHOT_MS=settled_ms(10000))
        self.assertEqual(run.returncode, 0, run.stderr)
        shot = Screenshot(run.screenshot)
        # Rows from y 224.2, 36.9 high; labels from x 186. "Install to" is selected.
        def label(row):
            top = int(224.2 + row * 36.94)
            return [colour for _, _, colour in shot.text_lines(186, top + 4, 480, top + 33)]
        self.assertEqual(label(0), ["white"], "Disc image")
        self.assertEqual(label(2), ["accent"], "Install to")
        self.assertEqual(label(3), ["white"], "Graphics")
        # The banner's gold letters, and the hint line at the bottom.
        gold = shot.count(banner_gold, 186, 46, 493, 183)
        self.assertGreater(gold, 2000)
        self.assertTrue(shot.text_lines(186, 725, 600, 745), "the hint line")

    def test_a_start_without_a_window_exits_1_and_says_why(self):
        # Run by the test hooks, or with no display for a message box (the
        # environment has none): either way no box holds the run up. Each
        # failure replaces the file's line.
        error_file = os.path.join(self.appdata, "KorvixVelarine", "launcher-error.log")
        cases = [({"SDL_VIDEO_DRIVER": "no-such-driver"}, r"SDL_(Init|CreateWindow) failed: \S"),
                 ({"SDL_RENDER_DRIVER": "no-such-renderer", "KORVIX_LAUNCHER_SCREENSHOT": None,
                   "KORVIX_LAUNCHER_API_BASE": None},
                  r"SDL_CreateRenderer failed: no-such-renderer not available")]
        for env, line in cases:
            with self.subTest(env=env):
                run = self.run_launcher(timeout=60, **env)
                self.assertEqual(run.returncode, 1)
                self.assertRegex(run.stderr + run.stdout, line)
                with open(error_file, "rb") as f:
                    written = f.read().decode("utf-8")
                self.assertRegex(written, "^" + line + ".*\r\n$")
                self.assertEqual(written.count("\n"), 1)
                self.assertIn(written.strip(), run.stderr + run.stdout, "the same line as the log's")
                self.assertFalse(os.path.exists(run.screenshot))

    def test_test_progress_hook_keeps_screenshot_possible(self):
        run = self.run_launcher(KORVIX_LAUNCHER_TEST_PROGRESS="0.42")
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(bmp_size(run.screenshot), (1280, 760))


if __name__ == "__main__":
    unittest.main()
