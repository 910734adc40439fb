"""The application shell: window, screenshot hook, exit codes."""
import os
import time
import unittest

from launcher_harness import LauncherTestCase, bmp_pixel, bmp_size


class ShellTest(LauncherTestCase):
    def test_screenshot_hook_writes_the_window_and_exits_0(self):
        run = self.run_launcher()
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(bmp_size(run.screenshot), (1280, 760))
        # The background gradient: deep blue at the top, lighter towards the bottom.
        top = bmp_pixel(run.screenshot, 5, 5)
        bottom = bmp_pixel(run.screenshot, 5, 750)
        self.assertLess(top[2], bottom[2])
        self.assertLessEqual(abs(top[0] - 6), 2)
        self.assertLessEqual(abs(top[2] - 26), 3)

    def test_screenshot_waits_for_its_time(self):
        started = time.monotonic()
        run = self.run_launcher(KORVIX_LAUNCHER_SCREENSHOT_MS="4000")
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

    def test_unusable_video_driver_exits_1_with_a_log_line(self):
        run = self.run_launcher(SDL_VIDEO_DRIVER="no-such-driver")
        self.assertEqual(run.returncode, 1)
        self.assertRegex(run.stderr + run.stdout, r"SDL_(Init|CreateWindow) failed: ")
        self.assertFalse(os.path.exists(run.screenshot))

    def test_test_progress_hook_keeps_screenshot_possible(self):
        run = self.run_launcher(KORVIX_LAUNCHER_TEST_PROGRESS="0.42")
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(bmp_size(run.screenshot), (1280, 760))


if __name__ == "__main__":
    unittest.main()
