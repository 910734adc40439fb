"""Start-up reads launcher.ini and searches for disc images, and never writes."""
import os
import stat
import unittest

from launcher_harness import LauncherTestCase

# "Quit" is the ninth row of the menu for a folder without the game and the
# eleventh once the game is installed; accepting it ends the run before the screenshot.
QUIT_WHEN_NOT_INSTALLED = ",".join(["down"] * 8 + ["accept"])
QUIT_WHEN_INSTALLED = ",".join(["down"] * 10 + ["accept"])


class StateTest(LauncherTestCase):
    def setUp(self):
        super().setUp()
        self.data = os.path.join(self.appdata, "KorvixVelarine")
        self.ini = os.path.join(self.data, "launcher.ini")

    def write(self, path, data):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)

    def install_game(self, folder):
        self.write(os.path.join(folder, "korvix.exe"), b"exe")
        self.write(os.path.join(folder, "game", "default.xex"), b"xex")

    def test_launcher_ini_names_the_install_folder_and_stays_untouched(self):
        install = os.path.join(self.root, "elsewhere", "Korvix")
        self.install_game(install)
        # A 7 GB image that costs no disk: the search must cope with it quickly.
        iso = os.path.join(self.home, "Downloads", "GAME.ISO")
        self.write(iso, b"")
        os.truncate(iso, 7 << 30)
        ini = ("# kept by hand\r\nbranch=experimental\r\ndirect_start=0\r\ninstall_dir=%s\r\n" % install).encode()
        self.write(self.ini, ini)
        os.utime(self.ini, (1_000_000_000, 1_000_000_000))

        run = self.run_launcher(KORVIX_LAUNCHER_ACTIONS=QUIT_WHEN_INSTALLED)

        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertFalse(os.path.exists(run.screenshot), "the installed rows were shown: the file was read")
        with open(self.ini, "rb") as f:
            self.assertEqual(f.read(), ini)
        self.assertEqual(os.stat(self.ini).st_mtime, 1_000_000_000)
        self.assertEqual(os.listdir(self.data), ["launcher.ini"])

    def test_without_launcher_ini_the_default_folder_serves_and_nothing_is_written(self):
        run = self.run_launcher(KORVIX_LAUNCHER_ACTIONS=QUIT_WHEN_NOT_INSTALLED)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertFalse(os.path.exists(run.screenshot), "Quit was the ninth row: not installed")
        self.assertFalse(os.path.exists(self.data))

    def test_an_install_in_the_spaced_default_folder_is_found(self):
        self.install_game(os.path.join(self.home, "Games", "Korvix Velarine"))
        run = self.run_launcher(KORVIX_LAUNCHER_ACTIONS=QUIT_WHEN_INSTALLED)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertFalse(os.path.exists(run.screenshot), "Quit was the eleventh row: installed")
        self.assertFalse(os.path.exists(self.data), "nothing was saved")

    def test_a_garbage_launcher_ini_starts_normally(self):
        garbage = bytes((i * 131) % 256 for i in range(200_000)) + b"\n" + b"k" * 1_000_000 + b"\n==\n"
        self.write(self.ini, garbage)
        run = self.run_launcher()
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertTrue(os.path.exists(run.screenshot))
        with open(self.ini, "rb") as f:
            self.assertEqual(f.read(), garbage)

    def test_fifos_where_small_files_should_be_are_unreadable_files(self):
        # Every small file the launcher reads before and while the menu opens,
        # each a FIFO that nobody writes to: a read that opened one would wait for ever.
        install = os.path.join(self.home, "Games", "KorvixVelarine")
        self.install_game(install)
        fifos = [self.ini, os.path.join(install, "source.path"), os.path.join(install, "korvix-version.txt"),
                 os.path.join(install, "build", "korvixvelarine", ".korvix-source"),
                 os.path.join(install, "korvix.toml")]
        for fifo in fifos:
            os.makedirs(os.path.dirname(fifo), exist_ok=True)
            os.mkfifo(fifo)

        # Graphics settings reads korvix.toml; a change there would write it.
        run = self.run_launcher(timeout=60, KORVIX_LAUNCHER_ACTIONS="down,accept,right")

        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertTrue(os.path.exists(run.screenshot), "the window opened and drew the page")
        for fifo in fifos:
            self.assertTrue(stat.S_ISFIFO(os.stat(fifo).st_mode), "%s is left as it was" % fifo)


if __name__ == "__main__":
    unittest.main()
