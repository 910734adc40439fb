"""Opening the subtitle editor: the start-up hook, the Edit subtitles row, and
what the player is told when there is nothing to edit."""
import os
import unittest

from launcher_harness import LauncherTestCase, Screenshot, make_install

EDITOR_BACKGROUND = (10, 16, 38)
PANEL_EDGE = (170, 140, 20)
# Main: Play, Graphics settings, Upscale textures, Subtitles; on the page nine
# settings, then Make subtitles, Edit subtitles, Back.
TO_EDIT_ROW = ["down"] * 3 + ["accept"] + ["down"] * 10

SUBTITLES = (
    "korvix-subtitles 2\n"
    "# Made by the subtitle maker\n"
    "clip speech+edited 4200 96000 1:00000000000000ab vo/dock/mira_01\n"
    "names Mira|Bo||||||||\n"
    "0 1800 s1 Tie the boat up, Bo.\n"
    "1900 4100 s2 It won't hold in this wind.\n"
    "clip video 31000 1 2:00000000000000cd movies/intro\n"
    "1200 5200 s1 Korvix, long ago.\n"
)


def close(pixel, colour, tolerance=4):
    return all(abs(pixel[i] - colour[i]) <= tolerance for i in range(3))


def accent(pixel):
    return pixel[0] >= 200 and pixel[1] >= 160 and pixel[2] <= 90


def accent_box(image, left, top, right, bottom):
    """(left, top, right, bottom) of the accent-coloured pixels in the rectangle, or None."""
    xs, ys = [], []
    for y in range(top, bottom):
        for x in range(left, right):
            if accent(image.pixel(x, y)):
                xs.append(x)
                ys.append(y)
    return (min(xs), min(ys), max(xs), max(ys)) if xs else None


def is_editor(image):
    """The editor: its flat background under the short clip list and in the bottom corner, the title in accent."""
    flat = all(close(image.pixel(x, y), EDITOR_BACKGROUND) for x, y in ((5, 300), (200, 600), (1270, 750)))
    return flat and accent_box(image, 0, 0, 300, 60) is not None


def first_status_line(image):
    """The accent box of the first status line under the menu's panel, or None."""
    panel_bottom = next(y for y in range(759, 150, -1) if close(image.pixel(640, y), PANEL_EDGE, 60))
    return accent_box(image, 170, panel_bottom + 4, 1110, min(panel_bottom + 40, 720))


class SubtitleEditorOpenTest(LauncherTestCase):
    def setUp(self):
        super().setUp()
        self.install = os.path.join(self.home, "Games", "KorvixVelarine")
        make_install(self.install)
        self.subtitles_folder = os.path.join(self.install, "subtitles")

    def write_subtitles(self):
        os.makedirs(self.subtitles_folder, exist_ok=True)
        with open(os.path.join(self.subtitles_folder, "korvix.subtitles"), "wb") as f:
            f.write(SUBTITLES.encode())

    def launch(self, **env):
        self.restore_binary()
        run = self.run_launcher(**env)
        self.assertEqual(run.returncode, 0, run.stderr)
        return Screenshot(run.screenshot)

    def test_the_hook_and_the_row_open_the_editor_which_writes_nothing(self):
        self.write_subtitles()
        by_hook = self.launch(KORVIX_LAUNCHER_EDITOR="1")
        self.assertTrue(is_editor(by_hook), "the hook opens screen 4")
        by_row = self.launch(KORVIX_LAUNCHER_ACTIONS=",".join(TO_EDIT_ROW + ["accept"]))
        self.assertTrue(is_editor(by_row), "Edit subtitles opens screen 4")
        # The actions after the editor opened are the menu's and go nowhere.
        stays = self.launch(KORVIX_LAUNCHER_EDITOR="1", KORVIX_LAUNCHER_ACTIONS="down,accept,down,accept")
        self.assertTrue(is_editor(stays))

        self.assertEqual(sorted(os.listdir(self.subtitles_folder)), ["korvix.subtitles"],
                         "opening writes neither the groups nor the view")
        with open(os.path.join(self.subtitles_folder, "korvix.subtitles"), "rb") as f:
            self.assertEqual(f.read(), SUBTITLES.encode())

        # The editor scale: the title is drawn twice as large at scale 2 (the
        # title's row only: the selected clip's bar and badge are accent too).
        title = accent_box(by_hook, 0, 0, 600, 36)
        large = accent_box(self.launch(KORVIX_LAUNCHER_EDITOR="1", KORVIX_EDITOR_SCALE="2"), 0, 0, 600, 62)
        ratio = (large[2] - large[0]) / (title[2] - title[0])
        self.assertTrue(1.7 < ratio < 2.3, (title, large))

    def test_without_subtitles_the_status_line_says_to_make_them_first(self):
        plain = self.launch()
        self.assertIsNone(first_status_line(plain), "no accent message without a reason")

        # The hook on frame 2, on the main menu.
        by_hook = self.launch(KORVIX_LAUNCHER_EDITOR="1")
        self.assertFalse(is_editor(by_hook))
        message = first_status_line(by_hook)
        self.assertIsNotNone(message)
        # "No subtitles made yet: Make subtitles first." is a line of some 330 pixels.
        self.assertGreater(message[2] - message[0], 250, message)

        # Edit subtitles on the subtitles page: the page stays, and the same line
        # comes before its own shorter "No subtitles made yet."
        on_page = self.launch(KORVIX_LAUNCHER_ACTIONS=",".join(TO_EDIT_ROW + ["accept"]))
        self.assertFalse(is_editor(on_page))
        line = first_status_line(on_page)
        self.assertEqual((line[0], line[2]), (message[0], message[2]))
        page_alone = first_status_line(self.launch(KORVIX_LAUNCHER_ACTIONS=",".join(TO_EDIT_ROW)))
        self.assertLess(page_alone[2] - page_alone[0], 0.7 * (line[2] - line[0]))

if __name__ == "__main__":
    unittest.main()
