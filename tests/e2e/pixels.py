"""Reading the launcher's screenshots and telling the colours in them.

The screenshot hook writes 24- or 32-bit BMPs. A pixel seldom has exactly the
colour that was drawn: each tolerance below says how far, in every channel, a
pixel may be from the colour a test looks for, and what makes it stray that far.
"""
import struct

# A flat fill: the renderer's rounding alone.
ROUNDING = 4
# A translucent fill over a known ground, the blend worked out by hand.
BLENDED = 12
# Text large enough that its strokes cover whole pixels somewhere.
TEXT_CORE = 12
# Small text: anti-aliased strokes that may cover no pixel whole, so the
# colour is found only mixed with the ground.
TEXT_EDGE = 40
# A movie picture: JPEG's loss and the filtering of its scaling into the box.
SCALED_PICTURE = 8
# A translucent box with its rounded, anti-aliased edges.
BOX_WITH_EDGES = 20
# The preview's subtitle letters, drawn small over the picture.
PREVIEW_TEXT = 30
# A line thinner than two pixels: it covers no pixel whole.
THIN_LINE = 60

# The menu's text colours.
ACCENT = (255, 204, 0)
WARNING = (255, 110, 90)
SUCCESS = (120, 230, 140)


def near(pixel, colour, tolerance):
    """Whether every channel of `pixel` is within `tolerance` of `colour`."""
    return all(abs(pixel[i] - colour[i]) <= tolerance for i in range(3))


def bmp_size(path):
    """(width, height) of a BMP file, from its header."""
    with open(path, "rb") as f:
        header = f.read(26)
    if header[:2] != b"BM":
        raise AssertionError(f"{path} is no BMP file")
    width, height = struct.unpack("<ii", header[18:26])
    return width, abs(height)


class Screenshot:
    """A 24- or 32-bit BMP read once: many pixels are looked at."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = data = f.read()
        if data[:2] != b"BM":
            raise AssertionError(f"{path} is no BMP file")
        self.offset = struct.unpack_from("<I", data, 10)[0]
        self.width, height = struct.unpack_from("<ii", data, 18)
        self.top_down = height < 0
        self.height = abs(height)
        self.step = struct.unpack_from("<H", data, 28)[0] // 8
        # Where red, green and blue are in a pixel's bytes: blue, green, red
        # unless a 32-bit file's masks say otherwise.
        self.channels = (2, 1, 0)
        masks = struct.unpack_from("<III", data, 54) if self.step == 4 and len(data) > 66 else None
        if masks and masks != (0, 0, 0):
            self.channels = tuple(((mask & -mask).bit_length() - 1) // 8 for mask in masks)
        self.row_size = (self.width * self.step + 3) & ~3

    def row_start(self, y):
        """Where row `y`, counted from the top, starts in the file."""
        row = y if self.top_down else self.height - 1 - y
        return self.offset + row * self.row_size

    def pixel(self, x, y):
        """(r, g, b), y counted from the top."""
        start = self.row_start(y) + x * self.step
        r, g, b = self.channels
        return self.data[start + r], self.data[start + g], self.data[start + b]

    def count(self, test, left, top, right, bottom):
        return sum(1 for y in range(top, bottom) for x in range(left, right) if test(self.pixel(x, y)))

    def has_colour(self, colour, tolerance, left=0, top=0, right=None, bottom=None):
        """Whether any pixel of the rectangle (the whole picture by default) is
        within `tolerance` of `colour`."""
        right = self.width if right is None else right
        bottom = self.height if bottom is None else bottom
        (r_at, g_at, b_at), (r, g, b) = self.channels, colour
        for y in range(top, bottom):
            start = self.row_start(y)
            row = self.data[start + left * self.step:start + right * self.step]
            for x in range(0, len(row), self.step):
                if (abs(row[x + r_at] - r) <= tolerance and abs(row[x + g_at] - g) <= tolerance
                        and abs(row[x + b_at] - b) <= tolerance):
                    return True
        return False

    def planes(self):
        """[reds, greens, blues]: one byte string per channel, rows top down."""
        rows = range(self.height)
        data = b"".join(self.data[self.row_start(y):self.row_start(y) + self.width * self.step] for y in rows)
        return [data[channel::self.step] for channel in self.channels]

    def brightest(self, x, y):
        return max(sum(self.pixel(x + dx, y + dy)) for dx in (-1, 0, 1) for dy in (-1, 0, 1))

    def text_lines(self, left, top, right, bottom):
        """The lines of text in a rectangle over the menu's dark background, top
        down: (top, bottom, colour) with colour "white", "dim", "accent",
        "warning", "success" or "other", from the line's brightest pixel."""
        lines = []
        for y in range(top, bottom):
            row = [self.pixel(x, y) for x in range(left, right)]
            ink = max(row, key=lambda p: max(p))
            if max(ink) < 100:
                continue
            if lines and lines[-1][1] == y:
                first, _, best = lines[-1]
                lines[-1] = (first, y + 1, max(best, ink, key=sum))
            else:
                lines.append((y, y + 1, ink))
        return [(first, end, colour_name(ink)) for first, end, ink in lines]


def colour_name(rgb):
    """The menu colour a text's brightest pixel shows."""
    r, g, b = rgb
    if min(rgb) > 215:
        return "white"
    if r > 215 and 170 < g < 230 and b < 80:
        return "accent"
    if r > 215 and 80 < g < 140 and 60 < b < 120:
        return "warning"
    if g > 200 and r < 160 and b < 170:
        return "success"
    if 110 < min(rgb) and max(rgb) < 190 and max(rgb) - min(rgb) < 45:
        return "dim"
    return "other"


def accent_like(pixel):
    """The accent of the menu's status line and of the editor, over their dark grounds."""
    return pixel[0] >= 200 and pixel[1] >= 160 and pixel[2] <= 90


def banner_gold(pixel):
    """The gold of the title banner's letters."""
    r, g, b = pixel
    return r > 200 and 120 < g < 235 and b < 110


def menu_top_background(pixel):
    """The deep blue the menu's background gradient starts with at the top."""
    return abs(pixel[0] - 6) <= 2 and abs(pixel[2] - 26) <= 3
