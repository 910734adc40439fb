"""The subtitles page reads the install's subtitle file: Make again, the Edit
row's value and the summary in the status area."""
import os
import unittest

from launcher_harness import LauncherTestCase, make_install
from pixels import BLENDED, THIN_LINE, Screenshot, accent_like, near

# Main: Play, Graphics settings, Upscale textures, Subtitles; on the page nine
# settings, then Make subtitles, Edit subtitles, Back. The selection ends on
# Edit subtitles, so it is in view however the page's rows are windowed.
TO_EDIT_ROW = ",".join(["down"] * 3 + ["accept"] + ["down"] * 10)
SELECTION = (54, 50, 28)  # the selection fill over the panel


def subtitle_file(lines, sounds, movies, corrected):
    """A file as the subtitle maker writes it, LF only."""
    clips = []
    for i in range(sounds + movies):
        kind = "video" if i >= sounds else ("story" if i % 5 == 4 else "speech")
        edited = "+edited" if i < corrected else ""
        clips.append([f"clip {kind}{edited} {3000 + i} {96000 + i} {i + 1}:{i * 7919:016x} vo/scene {i // 10}/{i}"])
    for n in range(lines):
        clip = clips[n % len(clips)]
        start = (len(clip) - 1) * 1500
        clip.append(f"{start} {start + 1400} s{n % 3 + 1} Line {n} of the dialogue")
    text = "korvix-subtitles 2\n# Made by the subtitle maker\n"
    return "".join(line + "\n" for clip in clips for line in clip).join([text, ""])


def white(pixel):
    return min(pixel) >= 200


def lit(pixel):
    return max(pixel) >= 110


class Page:
    """What a screenshot of the page shows in the rows and the status area."""

    def __init__(self, shot):
        self.image = Screenshot(shot)
        in_band = [near(self.image.pixel(182, y), SELECTION, BLENDED) for y in range(760)]
        if True not in in_band:
            raise AssertionError("no selected row found")
        self.top = in_band.index(True)
        self.bottom = in_band.index(False, self.top) - 1
        self.height = self.bottom - self.top + 1

    def ink(self, left, right, top, bottom, test):
        """x of every column between left and right holding a pixel that passes the test."""
        return [x for x in range(left, right, 1)
                if any(test(self.image.pixel(x, y)) for y in range(top, bottom, 2))]

    def make_row_label(self):
        """Columns of the white label of the row above the selection."""
        top = self.top - self.height + 4
        return self.ink(186, 520, top, top + self.height - 8, white)

    def edit_row_value(self, test):
        return self.ink(525, 1090, self.top + 4, self.bottom - 4, test)

    def status_colours(self):
        """The colour kinds of the first status line below the panel, if any is drawn."""
        panel_bottom = next(y for y in range(self.bottom, 760)
                            if near(self.image.pixel(640, y), (170, 140, 20), THIN_LINE))
        for y in range(panel_bottom + 4, 760 - 36):
            row = [self.image.pixel(x, y) for x in range(186, 1090, 2)]
            if any(lit(p) for p in row):
                lines = [self.image.pixel(x, yy) for x in range(186, 1090, 2) for yy in range(y, y + 12)]
                return {"white": any(white(p) for p in lines), "accent": any(accent_like(p) for p in lines)}
        return None


class SubtitlesPageTest(LauncherTestCase):
    def setUp(self):
        super().setUp()
        self.install = os.path.join(self.home, "Games", "KorvixVelarine")
        make_install(self.install)
        self.subtitles = os.path.join(self.install, "subtitles", "korvix.subtitles")

    def page(self, content):
        if content is None:
            if os.path.exists(self.subtitles):
                os.remove(self.subtitles)
        else:
            os.makedirs(os.path.dirname(self.subtitles), exist_ok=True)
            with open(self.subtitles, "wb") as f:
                f.write(content)
        self.restore_binary()
        run = self.run_launcher(KORVIX_LAUNCHER_ACTIONS=TO_EDIT_ROW)
        self.assertEqual(run.returncode, 0, run.stderr)
        return Page(run.screenshot), run.screenshot

    def test_made_subtitles_show_make_again_and_the_summary(self):
        made, made_shot = self.page(subtitle_file(250, 120, 3, 2).encode())
        with open(self.subtitles, "rb") as f:
            self.assertEqual(f.read(), subtitle_file(250, 120, 3, 2).encode(), "reading never writes")
        none, _ = self.page(None)
        foreign, _ = self.page(b"korvix-subtitles 3\nclip speech 1 0 1:1 a\n0 1 s1 words\n")

        # "Make again" is a shorter label than "Make subtitles".
        made_label, none_label = made.make_row_label(), none.make_row_label()
        self.assertTrue(made_label and none_label)
        self.assertLess(max(made_label), max(none_label) - 25, "Make again, then Make subtitles")
        self.assertEqual(foreign.make_row_label(), none_label, "a foreign file counts as none")

        # Edit subtitles: ">" in white once a file exists, else "none made yet" in dim.
        made_value = made.edit_row_value(white)
        self.assertTrue(made_value and max(made_value) - min(made_value) < 25, made_value)
        self.assertEqual(none.edit_row_value(white), [])
        self.assertGreater(len(none.edit_row_value(lit)), 80)
        self.assertEqual(foreign.edit_row_value(lit), none.edit_row_value(lit))

        # The summary's line, "Made: 250 lines in 120 sounds and 3 movies, 2 corrected by
        # hand." in white, against "No subtitles made yet." in accent, wherever the
        # window leaves the status area room for a line.
        made_status, none_status = made.status_colours(), none.status_colours()
        self.assertEqual(made_status is None, none_status is None)
        if made_status is not None:
            self.assertTrue(made_status["white"] and not made_status["accent"], made_shot)
            self.assertTrue(none_status["accent"])


if __name__ == "__main__":
    unittest.main()
