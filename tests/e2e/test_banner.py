"""The animated title banner at the top of the main menu."""
import unittest

from launcher_harness import LauncherTestCase, settled_ms
from pixels import Screenshot, banner_gold, bmp_size

# The start window is 1280 by 760: menu scale s = 760 / 720.
SCALE = 760 / 720
BANNER_HEIGHT = round(130 * SCALE)                  # 137
BANNER_WIDTH = round(BANNER_HEIGHT * 1420 / 634)    # 307
BANNER_LEFT = round((1280 - min(860 * SCALE, 1280 - 44 * SCALE)) / 2)  # 186
BANNER_TOP = round(0.06 * 760)                      # 46


def on_screen(x, y):
    """Where a point of the 1482 by 682 picture lands in the window."""
    return (round(BANNER_LEFT + (x - 37) * BANNER_WIDTH / 1420),
            round(BANNER_TOP + (y - 31) * BANNER_HEIGHT / 634))


def is_pale(rgb):
    r, g, b = rgb
    return r > 220 and g > 200 and b > 140


# Landmarks of the picture: "KORVIX" fills most of its upper half, "VELARINE"
# is below the rule, and two sparkles come out at the end of the animation.
TITLE_BOX = (*on_screen(114, 135), *on_screen(1380, 355))
SUBTITLE_BOX = (*on_screen(252, 479), *on_screen(1243, 576))
SPARKLES = (on_screen(1390, 141), on_screen(218, 525))


class BannerTest(LauncherTestCase):
    def shot(self, ms):
        run = self.run_launcher(KORVIX_LAUNCHER_SCREENSHOT_MS=str(ms))
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(bmp_size(run.screenshot), (1280, 760))
        return Screenshot(run.screenshot)

    def test_banner_plays_and_holds_its_last_frame(self):
        early = self.shot(500)
        late = self.shot(settled_ms(10000))

        title_area = (TITLE_BOX[2] - TITLE_BOX[0]) * (TITLE_BOX[3] - TITLE_BOX[1])
        for shot in (early, late):
            # Gold letters where the picture has "KORVIX", not the title text.
            self.assertGreater(shot.count(banner_gold, *TITLE_BOX), title_area // 10)
            # The picture is transparent around its letters: the menu's blue shows.
            r, g, b = shot.pixel(BANNER_LEFT + 3, BANNER_TOP + 3)
            self.assertLess(r, 20)
            self.assertGreater(b, 15)

        # By 10 s the animation has ended: "VELARINE" is all there and the
        # sparkles of its last frames have come out.
        self.assertGreater(late.count(is_pale, *SUBTITLE_BOX), 300)
        for x, y in SPARKLES:
            self.assertGreater(late.brightest(x, y), 350, (x, y))
            self.assertLess(early.brightest(x, y), 150, (x, y))


if __name__ == "__main__":
    unittest.main()
