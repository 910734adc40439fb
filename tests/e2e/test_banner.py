"""The animated title banner at the top of the main menu."""
import struct
import unittest

from launcher_harness import LauncherTestCase, bmp_size

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


def is_gold(rgb):
    r, g, b = rgb
    return r > 200 and 120 < g < 235 and b < 110


def is_pale(rgb):
    r, g, b = rgb
    return r > 220 and g > 200 and b > 140


class Screenshot:
    """The launcher's 32-bit BMP screenshot, read once: many pixels are looked at."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        self.offset = struct.unpack("<I", self.data[10:14])[0]
        self.width, self.height = struct.unpack("<ii", self.data[18:26])
        if struct.unpack("<H", self.data[28:30])[0] != 32:
            raise AssertionError(f"{path} is no 32-bit BMP")
        self.masks = struct.unpack("<III", self.data[54:66])

    def pixel(self, x, y):
        row = y if self.height < 0 else self.height - 1 - y
        start = self.offset + (row * self.width + x) * 4
        value = struct.unpack("<I", self.data[start:start + 4])[0]
        return tuple((value & m) >> ((m & -m).bit_length() - 1) for m in self.masks)

    def count(self, test, left, top, right, bottom):
        return sum(1 for y in range(top, bottom) for x in range(left, right) if test(self.pixel(x, y)))

    def brightest(self, x, y):
        return max(sum(self.pixel(x + dx, y + dy)) for dx in (-1, 0, 1) for dy in (-1, 0, 1))


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
        late = self.shot(10000)

        title_area = (TITLE_BOX[2] - TITLE_BOX[0]) * (TITLE_BOX[3] - TITLE_BOX[1])
        for shot in (early, late):
            # Gold letters where the picture has "KORVIX", not the title text.
            self.assertGreater(shot.count(is_gold, *TITLE_BOX), title_area // 10)
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
