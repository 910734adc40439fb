"""Play, direct start and the desktop shortcut, with stand-ins for the game and
the icon maker that record how they were started."""
import os
import shutil
import stat
import unittest

from launcher_harness import BINARY, LauncherTestCase
from pixels import ACCENT, TEXT_EDGE, Screenshot, bmp_size, near

# Rows of the installed main menu: Play first, Desktop shortcut ninth.
PLAY = "accept"
DESKTOP_SHORTCUT = ",".join(["down"] * 8 + ["accept"])

# Records the working folder and each argument, then exits with 3: the launcher
# must end with 0 whatever the game's code.
FAKE_GAME = """#!/bin/sh
{ pwd; for a in "$@"; do echo "arg:$a"; done; echo "args:$#"; } > "$KORVIX_TEST_RECORD"
exit 3
"""

# The icon maker: its own path, the game image and the install folder; it leaves
# the two icon files in that folder.
FAKE_ICON_MAKER = """#!/bin/sh
{ echo "$0"; echo "$1"; echo "$2"; } >> "$KORVIX_TEST_RECORD"
printf ico > "$2/korvix-icon.ico"
printf png > "$2/korvix-icon.png"
"""


def write_file(path, data, executable=False):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data.encode("utf-8") if isinstance(data, str) else data)
    if executable:
        os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR | stat.S_IXGRP | stat.S_IXOTH)


def status_line_accent_pixels(path):
    """Pixels of the accent colour on the first status line, just under the rows
    of the installed menu: the message, when there is one."""
    shot = Screenshot(path)
    return sum(1 for y in range(612, 642, 2) for x in range(0, shot.width, 2)
               if near(shot.pixel(x, y), ACCENT, TEXT_EDGE))


class PlayTest(LauncherTestCase):
    def setUp(self):
        super().setUp()
        # Blanks and quotes of both kinds in the install folder.
        self.install = os.path.join(self.root, "Games", "Bob's \"Korvix\" Velarine")
        self.record = os.path.join(self.root, "record.txt")
        write_file(os.path.join(self.install, "game", "default.xex"), b"xex")

    def configure(self, direct_start):
        ini = "direct_start=%d\r\ninstall_dir=%s\r\n" % (1 if direct_start else 0, self.install)
        write_file(os.path.join(self.appdata, "KorvixVelarine", "launcher.ini"), ini)

    def install_game(self, script=FAKE_GAME):
        write_file(os.path.join(self.install, "korvix.exe"), script, executable=True)

    def run_recorded(self, **env):
        # An installed game makes the launcher move itself into the install folder
        # at start-up: each run starts from a fresh copy.
        if not os.path.exists(self.binary):
            shutil.copy2(BINARY, self.binary)
        return self.run_launcher(KORVIX_TEST_RECORD=self.record, **env)

    def assert_game_ran_and_launcher_ended(self, run):
        self.assertEqual(run.returncode, 0, run.stderr)
        with open(self.record, encoding="utf-8") as f:
            lines = f.read().splitlines()
        self.assertEqual(lines, [self.install, "args:0"], "in the install folder, without arguments")
        self.assertFalse(os.path.exists(run.screenshot), "the launcher ended with the game")

    def test_direct_start_runs_the_game_before_any_window(self):
        self.install_game()
        self.configure(direct_start=True)
        # Scripted actions would quit a menu at once: had the menu opened, the
        # game would never have run.
        run = self.run_recorded(KORVIX_LAUNCHER_ACTIONS="down,down,down,down,down,down,down,down,down,accept")
        self.assert_game_ran_and_launcher_ended(run)

    def test_play_from_the_menu_hands_over_to_the_game(self):
        self.install_game()
        self.configure(direct_start=False)
        run = self.run_recorded(KORVIX_LAUNCHER_ACTIONS=PLAY)
        self.assert_game_ran_and_launcher_ended(run)

    def test_a_game_that_cannot_start_leaves_the_menu_with_the_error(self):
        # An interpreter that doesn't exist: the system reports the file as missing (2).
        self.install_game("#!/nonexistent/korvix-runtime\n")
        for direct_start, actions in ((False, PLAY), (True, None)):
            with self.subTest(direct_start=direct_start):
                self.configure(direct_start)
                env = {"KORVIX_LAUNCHER_ACTIONS": actions} if actions else {}
                run = self.run_recorded(**env)
                self.assertEqual(run.returncode, 0, run.stderr)
                self.assertFalse(os.path.exists(self.record))
                # The window came back (or opened) and shows the status line
                # "couldn't start the game (error 2)" under the rows.
                self.assertEqual(bmp_size(run.screenshot), (1280, 760))
                self.assertGreater(status_line_accent_pixels(run.screenshot), 30)
                os.remove(run.screenshot)

    def test_desktop_shortcut_is_a_desktop_entry_with_the_game_icon(self):
        self.install_game()
        self.configure(direct_start=False)
        maker = os.path.join(self.install, "korvix-icon.exe")
        write_file(maker, FAKE_ICON_MAKER, executable=True)
        desktop = os.path.join(self.home, "Bureau")
        write_file(os.path.join(self.home, ".config", "user-dirs.dirs"), 'XDG_DESKTOP_DIR="$HOME/Bureau"\n')

        run = self.run_recorded(KORVIX_LAUNCHER_ACTIONS=DESKTOP_SHORTCUT)
        self.assertEqual(run.returncode, 0, run.stderr)
        with open(self.record, encoding="utf-8") as f:
            self.assertEqual(f.read().splitlines(),
                             [maker, os.path.join(self.install, "game", "default.xex"), self.install])
        entry = os.path.join(desktop, "Korvix Velarine.desktop")
        with open(entry, "rb") as f:
            text = f.read().decode("utf-8")
        # The launcher moved itself into the install folder, and the entry runs that copy.
        launcher = os.path.join(self.install, "korvix-launcher")
        self.assertTrue(os.path.exists(launcher))
        exec_target = launcher.replace("\\", "\\\\\\\\").replace('"', '\\\\"')
        self.assertEqual(text.split("\n"), [
            "[Desktop Entry]",
            "Type=Application",
            "Name=Korvix Velarine",
            'Exec="%s"' % exec_target,
            "Path=" + self.install,
            "Icon=" + os.path.join(self.install, "korvix-icon.png"),
            "Terminal=false",
            "",
        ])
        self.assertTrue(os.stat(entry).st_mode & stat.S_IXUSR, "a desktop entry must be executable")
        # "Desktop shortcut made." in the status line.
        self.assertGreater(status_line_accent_pixels(run.screenshot), 30)


if __name__ == "__main__":
    unittest.main()
