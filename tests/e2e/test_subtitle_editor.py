"""The subtitle editor opened by the start-up hook and by the Edit subtitles
row, what the player is told when there is nothing to edit, and a grouped file
drawn at both scales; opening never writes to the subtitles folder."""
import os
import unittest

from launcher_harness import LauncherTestCase, make_install
from pixels import ROUNDING, THIN_LINE, Screenshot, accent_like, near

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


def accent_box(image, left, top, right, bottom):
    """(left, top, right, bottom) of the accent-coloured pixels in the rectangle, or None."""
    found = [(x, y) for y in range(top, bottom) for x in range(left, right) if accent_like(image.pixel(x, y))]
    if not found:
        return None
    xs, ys = zip(*found)
    return min(xs), min(ys), max(xs), max(ys)


def accent_bars(image, left, right, shortest):
    """(top, bottom) of each run of rows from y 60 down with accent in the columns, at least `shortest` tall."""
    found = []
    for y in range(60, image.height):
        if any(accent_like(image.pixel(x, y)) for x in range(left, right)):
            if found and found[-1][1] == y - 1:
                found[-1][1] = y
            else:
                found.append([y, y])
    return [(a, b) for a, b in found if b - a >= shortest]


def is_editor(image):
    """The editor: its flat background under the short clip list and in the bottom corner, the title in accent."""
    flat = all(near(image.pixel(x, y), EDITOR_BACKGROUND, ROUNDING) for x, y in ((5, 300), (200, 600), (1270, 750)))
    return flat and accent_box(image, 0, 0, 300, 60) is not None


def first_status_line(image):
    """The accent box of the first status line under the menu's panel, or None."""
    panel_bottom = next(y for y in range(759, 150, -1) if near(image.pixel(640, y), PANEL_EDGE, THIN_LINE))
    return accent_box(image, 170, panel_bottom + 4, 1110, min(panel_bottom + 40, 720))


def realistic_subtitles():
    """Three dock clips, two road clips and a story clip in groups, two movies
    and a story clip in none; four corrected; one line of 1500 bytes."""
    clips = []
    def clip(kind, source, lines, length=6000, edited=False):
        head = "clip %s%s %d %d 1:%016x %s\n" % (kind, "+edited" if edited else "", length, 3000 + len(clips),
                                                 0xab00 + len(clips), source)
        body = "".join("%d %d s%d %s\n" % line for line in lines)
        clips.append(head + "names Mira|Bo|Kai|||||||\n" + body)
    clip("speech", "vo/dock/mira_01", [(0, 1800, 1, "Tie the boat up, Bo."), (1900, 4100, 2, "It won't hold.")],
         edited=True)
    clip("speech", "vo/dock/bo_02", [(0, 2500, 2, "Then we row.")])
    clip("speech", "vo/dock/mira_03", [(300, 900, 1, "Far too many words for so short a time, Bo!")], edited=True)
    clip("speech", "vo/road/kai_01", [(0, 3000, 3, "The road is long " + "and longer " * 136)])
    clip("speech", "vo/road/kai_02", [(500, 2500, 3, "Rest here.")], edited=True)
    clip("story", "story/chapter_one", [(0, 4000, 1, "Long ago, on Korvix.")])
    clip("video", "movies/intro", [(1200, 5200, 1, "Korvix, long ago.")], length=31000)
    clip("video", "movies/" + "very_long_folder_name/" * 4 + "ending", [(0, 1000, 1, "The end.")], edited=True)
    clip("story", "story/epilogue", [(0, 2000, 1, "And so it ends.")])
    groups = ("korvix-subtitle-groups 1\n"
              "group 1 Dock\nvo/dock/mira_01\nvo/dock/bo_02\nvo/dock/mira_03\n"
              "group 1 Road\nvo/road/kai_01\nvo/road/kai_02\n"
              "group 0 Story so far\nstory/chapter_one\n"
              "ungrouped 1\n")
    return "korvix-subtitles 2\n# Made by the subtitle maker\n" + "".join(clips), groups



class SubtitleEditorTest(LauncherTestCase):
    def setUp(self):
        super().setUp()
        install = os.path.join(self.home, "Games", "KorvixVelarine")
        make_install(install)
        self.folder = os.path.join(install, "subtitles")

    def write(self, files):
        os.makedirs(self.folder, exist_ok=True)
        for name, content in files.items():
            with open(os.path.join(self.folder, name), "wb") as f:
                f.write(content.encode())

    def assert_folder_holds(self, files, message=None):
        self.assertEqual(sorted(os.listdir(self.folder)), sorted(files), message)
        for name, content in files.items():
            with open(os.path.join(self.folder, name), "rb") as f:
                self.assertEqual(f.read(), content.encode(), name)

    def launch(self, **env):
        self.restore_binary()
        run = self.run_launcher(**env)
        self.assertEqual(run.returncode, 0, run.stderr)
        return Screenshot(run.screenshot)

    def test_the_hook_and_the_row_open_the_editor_which_writes_nothing(self):
        self.write({"korvix.subtitles": SUBTITLES})
        by_hook = self.launch(KORVIX_LAUNCHER_EDITOR="1")
        self.assertTrue(is_editor(by_hook), "the hook opens screen 4")
        by_row = self.launch(KORVIX_LAUNCHER_ACTIONS=",".join(TO_EDIT_ROW + ["accept"]))
        self.assertTrue(is_editor(by_row), "Edit subtitles opens screen 4")
        # The actions after the editor opened are the menu's and go nowhere.
        stays = self.launch(KORVIX_LAUNCHER_EDITOR="1", KORVIX_LAUNCHER_ACTIONS="down,accept,down,accept")
        self.assertTrue(is_editor(stays))
        self.assert_folder_holds({"korvix.subtitles": SUBTITLES}, "opening writes neither the groups nor the view")

        # The editor scale: the title is drawn twice as large at scale 2 (the
        # title's row only: the selected clip's bar and badge are accent too).
        title = accent_box(by_hook, 0, 0, 600, 36)
        large = accent_box(self.launch(KORVIX_LAUNCHER_EDITOR="1", KORVIX_EDITOR_SCALE="2"), 0, 0, 600, 62)
        ratio = (large[2] - large[0]) / (title[2] - title[0])
        self.assertTrue(1.7 < ratio < 2.3, (title, large))

    def test_without_subtitles_the_status_line_says_to_make_them_first(self):
        self.assertIsNone(first_status_line(self.launch()), "no accent message without a reason")

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

    def test_a_grouped_file_is_listed_and_drawn_at_both_scales_without_writing(self):
        subtitles, groups = realistic_subtitles()
        files = {"korvix.subtitles": subtitles, "groups.txt": groups}
        self.write(files)
        small_shot, large_shot = (self.launch(KORVIX_LAUNCHER_EDITOR="1", KORVIX_EDITOR_SCALE=s) for s in "12")

        # The edited clips in open groups and in no group carry the accent bar at
        # the row's left edge: mira_01 and mira_03 (Dock), kai_02 (Road), and the
        # long movie; the closed group hides nothing corrected. Rows are fixed
        # heights, so at scale 2 the bars are twice as tall. Runs shorter than a
        # row are accent text (the status line saying why there is no sound).
        small = accent_bars(small_shot, 20, 23, 25)[:3] + accent_bars(small_shot, 10, 13, 25)
        large = accent_bars(large_shot, 40, 46, 50)[:3] + accent_bars(large_shot, 20, 26, 50)
        self.assertEqual(len(small), 4, small)
        heights = [(b - a) for a, b in small]
        self.assertTrue(all(36 <= h <= 41 for h in heights), small)
        self.assertGreaterEqual(len(large), 2, large)
        self.assertTrue(all(1.8 < (b - a) / heights[0] < 2.2 for a, b in large), large)

        # The selected clip (the first) shows the "CORRECTED" badge at its row's right end.
        list_right = int(0.3 * 1280)
        badge = accent_box(small_shot, list_right - 120, small[0][0], list_right, small[0][1])
        self.assertIsNotNone(badge)
        self.assertGreater(badge[2] - badge[0], 60)
        self.assert_folder_holds(files)


if __name__ == "__main__":
    unittest.main()
