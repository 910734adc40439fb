"""The launcher replaces itself: download from the fake GitHub, swap, restart, clean up.

KORVIX_LAUNCHER_UPDATE_TEST=go makes the launcher take an offered update without
input. The "new launcher" is a shell script padded to 2 MiB that records its
start; every injected fault must leave the launcher's file as it was.
"""
import hashlib
import os
import shutil
import sys
import time
import unittest

from launcher_harness import LauncherTestCase

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fake_github"))
from fake_github import FakeGitHub  # noqa: E402

REPO = "korvix-velarine/korvix-velarine"
TAG = "launcher-v9.0.0"
ASSET = "korvix-launcher-linux-x64"
NAME = "korvix-launcher"
MIB = 1048576
# Long enough for the checks and the download against the local fake; the
# screenshot then ends a run that didn't restart.
QUIT_AFTER_MS = "12000"


def recording_script(size=2 * MIB):
    script = '#!/bin/sh\necho "$0 in $(pwd)" >> started.txt\nexit 0\n'
    line = "# padding to the size of a real program\n"
    script += line * ((size - len(script)) // len(line))
    return script + "#" * (size - len(script) - 1) + "\n"


def sha256_digest(text):
    return "sha256:" + hashlib.sha256(text.encode("utf-8")).hexdigest()


def read(path):
    with open(path, "rb") as f:
        return f.read()


class SelfUpdateTest(LauncherTestCase):
    def setUp(self):
        super().setUp()
        self.fake = FakeGitHub(os.path.join(self.root, "github")).start()
        self.addCleanup(self.fake.stop)
        self.fake.make_repo(REPO)  # releases are only served for a repository that exists
        self.original = read(self.binary)
        self.bin_dir = os.path.dirname(self.binary)

    def offer(self, **asset):
        asset.setdefault("name", ASSET)
        self.fake.set_config({"releases": {REPO: [{"tag_name": TAG, "assets": [asset]}]}})

    def run_update(self):
        return self.run_launcher(KORVIX_LAUNCHER_API_BASE=self.fake.api_base, KORVIX_LAUNCHER_UPDATE_TEST="go",
                                 KORVIX_LAUNCHER_SCREENSHOT_MS=QUIT_AFTER_MS)

    def downloads(self):
        return [r["path"] for r in self.fake.requests() if r["path"].startswith(("/download/", "/assets/"))]

    def make_install(self):
        install = os.path.join(self.home, "Games", "KorvixVelarine")
        os.makedirs(os.path.join(install, "game"))
        for name in ("korvix.exe", os.path.join("game", "default.xex")):
            with open(os.path.join(install, name), "wb") as f:
                f.write(b"stand-in")
        return install

    def test_offered_update_is_swapped_in_started_and_cleaned_up_next_time(self):
        script = recording_script()
        self.offer(content=script, digest=sha256_digest(script))
        run = self.run_update()
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertFalse(os.path.exists(run.screenshot), "the launcher quit for the new one")
        self.assertEqual(self.downloads(), [f"/download/{REPO}/{TAG}/{ASSET}", f"/assets/{REPO}/{TAG}/{ASSET}"])
        self.assertEqual(read(self.binary), script.encode())
        self.assertTrue(os.access(self.binary, os.X_OK))
        self.assertEqual(read(self.binary + ".old"), self.original)
        self.assertFalse(os.path.exists(self.binary + ".download"))
        started = os.path.join(self.bin_dir, "started.txt")
        for _ in range(500):  # the new launcher runs on its own
            if os.path.exists(started) and read(started).endswith(b"\n"):
                break
            time.sleep(0.02)
        self.assertEqual(read(started).decode(), f"{self.binary} in {self.bin_dir}\n")

        # The next launcher to start there removes the previous program.
        shutil.copy2(self.bin_dir + "/" + NAME + ".old", self.binary)
        self.fake.set_config({})
        run = self.run_launcher(KORVIX_LAUNCHER_API_BASE=self.fake.api_base)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertFalse(os.path.exists(self.binary + ".old"))

    def test_an_update_replaces_the_install_folders_launcher_once_it_moved_there(self):
        install = self.make_install()
        side_copy = os.path.join(install, "korvix-launcher-linux-x64")
        with open(side_copy, "wb") as f:
            f.write(b"an older download")
        script = recording_script()
        self.offer(content=script)  # no digest: size alone is checked
        run = self.run_update()
        self.assertEqual(run.returncode, 0, run.stderr)
        installed = os.path.join(install, NAME)
        self.assertFalse(os.path.exists(self.binary), "moved out of the downloads folder")
        self.assertEqual(read(installed), script.encode())
        self.assertEqual(read(installed + ".old"), self.original)
        self.assertEqual(read(side_copy), self.original, "side copies follow the installed launcher")
        self.assertFalse(os.path.exists(os.path.join(self.bin_dir, NAME + ".download")))

    def assert_fault_leaves_the_launcher(self, download_left=False):
        run = self.run_update()
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertTrue(os.path.exists(run.screenshot), "the launcher kept running")
        self.assertTrue(self.downloads(), "the download was tried")
        self.assertEqual(read(self.binary), self.original)
        self.assertFalse(os.path.exists(self.binary + ".old") and not os.path.isdir(self.binary + ".old"))
        self.assertEqual(os.path.exists(self.binary + ".download"), download_left)

    def test_an_error_page_is_rejected(self):
        self.offer(size=512000)
        self.assert_fault_leaves_the_launcher()

    def test_a_size_other_than_the_releases_is_rejected(self):
        self.offer(content=recording_script(), size=3 * MIB)
        self.assert_fault_leaves_the_launcher()

    def test_a_checksum_mismatch_is_rejected(self):
        self.offer(content=recording_script(), digest=sha256_digest("something else"))
        self.assert_fault_leaves_the_launcher()

    def test_a_failing_curl_is_reported(self):
        self.offer(content=recording_script())
        config = {"releases": {REPO: [{"tag_name": TAG, "assets": [{"name": ASSET, "content": recording_script()}]}]},
                  "rules": [{"path": f"/assets/{REPO}/{TAG}/{ASSET}", "status": 500, "body": "broken"}]}
        self.fake.set_config(config)
        self.assert_fault_leaves_the_launcher()

    def test_a_rename_that_fails_keeps_the_launcher(self):
        # "<name>.old" is a folder that can't be removed, so the launcher can't be
        # renamed out of the way (a read-only folder doesn't stop root).
        os.makedirs(os.path.join(self.binary + ".old", "in the way"))
        self.offer(content=recording_script())
        self.assert_fault_leaves_the_launcher(download_left=True)

    def test_a_new_launcher_that_does_not_start_is_taken_back(self):
        self.offer(size=2 * MIB)  # bytes, not a program
        self.assert_fault_leaves_the_launcher()
        self.assertFalse(os.path.exists(os.path.join(self.bin_dir, "started.txt")))


if __name__ == "__main__":
    unittest.main()
