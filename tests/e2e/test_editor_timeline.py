"""The editor's timeline and preview in the real binary: a movie clip's sound
and pictures come from the stand-in subtitle maker, the seek hook puts the
playhead, the picked line and the view, and the screenshot shows the
waveform, the line boxes, the playhead and the subtitle over the picture. A
second run without the maker still draws the waveform, from the cache."""
import os
import unittest

from launcher_harness import EditorTestCase
from pixels import BLENDED, BOX_WITH_EDGES, PREVIEW_TEXT, SCALED_PICTURE, Screenshot, near

# Six seconds of sound and sixty pictures of 320 x 180 at ten a second.
SOURCE = "movies/intro ms=6000 fps=10 frames=60 width=320 height=180"
# The view 4 s wide with the playhead at 2 s, 30 % into it; line 1 picked.
SEEK = "2000,1,4000"

WAVE = (87, 135, 206)       # light blue at 78 % over the waveform band
PICTURE = (180, 60, 110)    # the stand-in's picture 20, under the playhead
YELLOW = (250, 232, 74)     # speaker 2


def accent(pixel):
    return pixel[0] >= 220 and 170 <= pixel[1] <= 225 and pixel[2] <= 60


def bounds(image, test, left=0, top=0, right=None, bottom=None):
    """(left, top, right, bottom, count) of the pixels passing `test`, or None."""
    right = right or image.width
    bottom = bottom or image.height
    xs, ys = [], []
    for y in range(top, bottom):
        for x in range(left, right):
            if test(image.pixel(x, y)):
                xs.append(x)
                ys.append(y)
    return (min(xs), min(ys), max(xs), max(ys), len(xs)) if xs else None


class EditorTimelineTest(EditorTestCase):
    SUBTITLES = (
        "korvix-subtitles 2\n"
        f"clip video 6000 1 2:00000000000000cd {SOURCE}\n"
        "names Mira|Bo||||||||\n"
        "200 1500 s1 Tie the boat up.\n"
        "1500 3300 s2 It won't hold.\n"
        "3800 5200 s1 Then hold it.\n"
    )

    def launch(self):
        run = self.launch_editor(KORVIX_EDITOR_SEEK=SEEK, KORVIX_LAUNCHER_SCREENSHOT_MS="3500")
        return Screenshot(run.screenshot)

    def test_the_timeline_and_the_preview_show_the_clip_at_the_seek(self):
        shot = self.launch()
        self.assertEqual(len(self.maker_runs()), 2, "the sound and the pictures were fetched")

        # The waveform: a band of light blue columns, most of the timeline wide.
        wave = bounds(shot, lambda p: near(p, WAVE, BLENDED))
        self.assertIsNotNone(wave, "no waveform")
        wave_left, wave_top, wave_right, wave_bottom, wave_count = wave
        self.assertGreater(wave_right - wave_left, 500)
        self.assertGreater(wave_count, 5000)

        # The playhead: an accent line from the ruler down through the waveform,
        # 30 % into the view.
        column = next((x for x in range(wave_left, wave_right)
                       if shot.count(accent, x, wave_top - 60, x + 1, wave_bottom) > wave_bottom - wave_top), None)
        self.assertIsNotNone(column, "no playhead")
        self.assertAlmostEqual((column - wave_left) / (wave_right - wave_left), 0.3, delta=0.03)

        # The picked line's box (speaker 2, yellow at 150 over the dark blue),
        # from 1.5 s to 3.3 s of a view starting at 0.8 s: around the playhead.
        box = bounds(shot, lambda p: near(p, (152, 144, 62), BOX_WITH_EDGES),
                     wave_left, wave_top - 60, wave_right, wave_top)
        self.assertIsNotNone(box, "no box for the picked line")
        self.assertLess(box[0], column)
        self.assertGreater(box[2], column)

        # The preview under it: the movie's picture 20, and yellow subtitle
        # letters over it ("Bo: It won't hold.").
        picture = bounds(shot, lambda p: near(p, PICTURE, SCALED_PICTURE), 0, wave_bottom)
        self.assertIsNotNone(picture, "no movie picture")
        self.assertGreater(picture[4], 20000)
        letters = bounds(shot, lambda p: near(p, YELLOW, PREVIEW_TEXT), *picture[:4])
        self.assertIsNotNone(letters, "no subtitle over the picture")
        self.assertGreater(letters[1], (picture[1] + picture[3]) / 2, "the subtitle sits in the lower half")

        # Without the maker the waveform comes from the cache, and nothing is run.
        os.remove(self.maker)
        again = self.launch()
        self.assertEqual(len(self.maker_runs()), 2)
        cached = bounds(again, lambda p: near(p, WAVE, BLENDED))
        self.assertIsNotNone(cached)
        self.assertGreater(cached[4], 0.9 * wave_count)


if __name__ == "__main__":
    unittest.main()
