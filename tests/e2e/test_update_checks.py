"""The update checks against a fake GitHub served from real git repositories."""
import os
import stat
import sys
import time
import unittest

from launcher_harness import LauncherTestCase, settled_ms
from pixels import ACCENT, TEXT_EDGE, WARNING, Screenshot

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fake_github"))
from fake_github import FakeGitHub  # noqa: E402

REPO = "korvix-velarine/korvix-velarine"


class UpdateChecksTest(LauncherTestCase):
    def setUp(self):
        super().setUp()
        self.fake = FakeGitHub(os.path.join(self.root, "github")).start()
        self.addCleanup(self.fake.stop)
        self.repo = self.fake.make_repo(REPO)
        self.base = FakeGitHub.commit(self.repo, 2, "Older change")
        self.head = FakeGitHub.commit(self.repo, 3, "Newer change")
        self.install = os.path.join(self.home, "Games", "KorvixVelarine")
        os.makedirs(os.path.join(self.install, "game"))
        for name in ("korvix.exe", os.path.join("game", "default.xex")):
            open(os.path.join(self.install, name), "wb").close()
        with open(os.path.join(self.install, "korvix-version.txt"), "wb") as f:
            f.write(f"branch=main\r\ncommit={self.base}\r\ndate=2024-03-06\r\n".encode())
        self.fake.set_config({"releases": {REPO: [{
            "tag_name": "launcher-v0.7.0",
            "assets": [{"name": "korvix-launcher-linux-x64", "size": 2 * 2**20}]}]}})

    def test_three_new_changes_and_a_launcher_release_are_shown(self):
        run = self.run_launcher(KORVIX_LAUNCHER_API_BASE=self.fake.api_base, KORVIX_LAUNCHER_SCREENSHOT_MS=settled_ms(2500))
        self.assertEqual(run.returncode, 0, run.stderr)

        paths = [request["path"] for request in self.fake.requests()]
        prefix = f"/repos/{REPO}"
        self.assertIn(f"{prefix}/branches?per_page=100", paths)
        self.assertIn(f"{prefix}/commits/main", paths)
        self.assertIn(f"{prefix}/compare/{self.base}...{self.head}", paths)
        self.assertIn(f"{prefix}/releases/latest", paths)
        for request in self.fake.requests():
            headers = {key.lower(): value for key, value in request["headers"].items()}
            self.assertEqual(headers.get("user-agent"), "korvix-velarine-launcher")

        # At 1280 x 760 the rows start at y 224 and are 37 high; the values at x 531.
        # Rows: Play, Update the launcher, Graphics settings, Upscale textures,
        # Subtitles, Update branch, Update, ...
        def value_of_row(index):
            top = int(224 + index * 36.94) + 6
            return (531, top, 760, top + 24)
        shot = Screenshot(run.screenshot)
        self.assertTrue(shot.has_colour(ACCENT, TEXT_EDGE, *value_of_row(1)), "launcher release offered")
        self.assertTrue(shot.has_colour(ACCENT, TEXT_EDGE, *value_of_row(6)), "3 new changes, in accent")
        self.assertFalse(shot.has_colour(WARNING, TEXT_EDGE, *value_of_row(6)), "no failure shown")

    def test_an_unknown_repository_shows_the_reason(self):
        config = os.path.join(self.appdata, "KorvixVelarine")
        os.makedirs(config)
        with open(os.path.join(config, "launcher.ini"), "wb") as f:
            f.write(b"repo=nobody/nothing\r\n")
        run = self.run_launcher(KORVIX_LAUNCHER_API_BASE=self.fake.api_base, KORVIX_LAUNCHER_SCREENSHOT_MS=settled_ms(2500))
        self.assertEqual(run.returncode, 0, run.stderr)
        # No release for that repository: the row isn't offered, so "Update" is the sixth row.
        top = int(224 + 5 * 36.94) + 6
        self.assertTrue(Screenshot(run.screenshot).has_colour(WARNING, TEXT_EDGE, 531, top, 760, top + 24),
                        "couldn't check")

    def test_quitting_while_checks_run_ends_their_curl(self):
        # A curl that hangs: it notes its process and sleeps far beyond the run.
        fake_bin = os.path.join(self.root, "fakebin")
        os.makedirs(fake_bin)
        pids = os.path.join(self.root, "curl.pids")
        curl = os.path.join(fake_bin, "curl")
        with open(curl, "w") as f:
            f.write("#!/bin/sh\necho $$ >> '%s'\nexec sleep 300\n" % pids)
        os.chmod(curl, stat.S_IRWXU)

        run = self.run_launcher(PATH=fake_bin + os.pathsep + os.environ.get("PATH", "/usr/bin:/bin"),
                                KORVIX_LAUNCHER_SCREENSHOT_MS="1500")

        self.assertEqual(run.returncode, 0, run.stderr)
        with open(pids) as f:
            started = [int(line) for line in f.read().split()]
        self.assertGreaterEqual(len(started), 3, "the branch list, the comparison and the release check")
        for _ in range(50):
            if not any(alive(pid) for pid in started):
                break
            time.sleep(0.1)
        self.assertEqual([pid for pid in started if alive(pid)], [], "curl outlived the launcher")


def alive(pid):
    """True while the process runs (a zombie waiting for its reaper has ended)."""
    try:
        with open("/proc/%d/stat" % pid, encoding="utf-8") as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except FileNotFoundError:
        return False


if __name__ == "__main__":
    unittest.main()
