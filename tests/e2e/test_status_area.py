"""The status area under the rows, at the first window size of 1280 x 760: on
the installed main menu, the effects page and the subtitles page, what it has
to tell is on screen."""
import os
import sys
import unittest

from launcher_harness import LauncherTestCase, make_install, settled_ms
from pixels import Screenshot, bmp_size

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fake_github"))
from fake_github import FakeGitHub  # noqa: E402

REPO = "korvix-velarine/korvix-velarine"

# At 1280 x 760 (menu scale 760 / 720) the rows begin at y 224.2 and are 36.9
# high; the status area begins 27.9 below the last row shown and ends at 715.7.
ROWS_TOP, ROW_HEIGHT, STATUS_GAP, STATUS_END = 224.2, 36.94, 27.87, 716
TEXT_LEFT = 186


def status_lines(shot, rows_shown):
    """The status area's lines of text, left of the panel's centre arrow."""
    top = int(ROWS_TOP + rows_shown * ROW_HEIGHT + STATUS_GAP) - 3
    return [colour for _, _, colour in shot.text_lines(TEXT_LEFT, top, 600, STATUS_END)]


class StatusAreaTest(LauncherTestCase):
    def setUp(self):
        super().setUp()
        self.install = os.path.join(self.home, "Games", "KorvixVelarine")
        make_install(self.install)

    def shot(self, **env):
        run = self.run_launcher(**env)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(bmp_size(run.screenshot), (1280, 760))
        return Screenshot(run.screenshot)

    def test_three_new_commits_show_below_eleven_rows(self):
        fake = FakeGitHub(os.path.join(self.root, "github")).start()
        self.addCleanup(fake.stop)
        repo = fake.make_repo(REPO)
        base = FakeGitHub.commit(repo, 2, "Older change")
        FakeGitHub.commit(repo, 3, "Newer change")
        with open(os.path.join(self.install, "korvix-version.txt"), "wb") as f:
            f.write(f"branch=main\r\ncommit={base}\r\ndate=2024-03-06\r\n".encode())
        fake.set_config({"releases": {REPO: [{
            "tag_name": "launcher-v0.7.0",
            "assets": [{"name": "korvix-launcher-linux-x64", "size": 2 * 2**20}]}]}})
        shot = self.shot(KORVIX_LAUNCHER_API_BASE=fake.api_base, KORVIX_LAUNCHER_SCREENSHOT_MS=settled_ms(2500))
        # Eleven rows (the launcher's update offered) leave room for five lines
        # under nine of them: the latest commit, the heading, the three commits.
        self.assertEqual(status_lines(shot, 9), ["white", "dim", "white", "white", "white"])

    def test_the_subtitles_page_shows_its_summary_above_its_help(self):
        # Main menu: Play, Graphics settings, Upscale textures, Subtitles.
        shot = self.shot(KORVIX_LAUNCHER_ACTIONS="down,down,down,accept")
        lines = status_lines(shot, 10)  # 12 rows, 10 shown
        self.assertEqual(lines[0], "accent", "No subtitles made yet.")
        self.assertGreaterEqual(len(lines), 4)
        self.assertEqual(set(lines[1:]), {"dim"})

    def test_a_failed_save_on_the_effects_page_is_told(self):
        # A folder in the file's place: it can be neither read nor replaced.
        os.makedirs(os.path.join(self.install, "korvix.toml"))
        actions = ["down", "accept"] + ["down"] * 9 + ["accept", "accept"]
        shot = self.shot(KORVIX_LAUNCHER_ACTIONS=",".join(actions))
        lines = status_lines(shot, 10)  # 16 rows, 10 shown
        self.assertEqual(lines[0], "accent", "Couldn't save ... korvix.toml.")
        self.assertEqual(lines[1:], ["dim"] * (len(lines) - 1))
        self.assertGreaterEqual(len(lines), 3, "and the page's help below it")


if __name__ == "__main__":
    unittest.main()
