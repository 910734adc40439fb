#!/usr/bin/env python3
"""Makes assets/title_banner.gif, the launcher's animated title banner.

Needs ImageMagick 6 (`convert`) and DejaVu Sans Bold. The GIF is committed, so
the build never runs this; run it again only to change the picture:

    python3 assets/make_title_banner.py [output.gif]

The picture: "KORVIX" in gold above a gold rule with a diamond, "VELARINE"
below it, on a transparent background so the menu's gradient shows through.
The diamond appears, the rule grows out of it, the letters rise out of the rule
from the middle outwards, the picture rests, a shine sweeps across it and two
sparkles come out. 84 frames of 80 and 90 ms with one rest of 2080 ms.

Every frame is the whole scene. Pixels only ever become opaque, never
transparent again, so the frames need no disposal other than "none", which
every GIF decoder plays the same way. Anti-aliased edges are blended with the
menu's deep blue before the alpha is cut to on/off, as GIF has no partial
transparency.
"""
import os
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 1482, 682
CROP_LEFT, CROP_TOP, CROP_RIGHT, CROP_BOTTOM = 37, 31, 1457, 665
CENTER_X = (CROP_LEFT + CROP_RIGHT) // 2
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# The menu's colours.
GOLD = "#ffcc00"
GOLD_LIGHT = "#ffe27a"
GOLD_DEEP = "#e09400"
OUTLINE = "#6e4200"
PALE = "#fff0c8"
HOT = "#fffbe8"
DEEP_BLUE = "#070d1f"  # the menu gradient where the banner sits

FRAMES = 84
REST_FRAME = 41  # held for 2080 ms
SHINE_FIRST, SHINE_LAST = 42, 64
SPARKLE_STARTS = (62, 68)
# Three colours, so that no frame goes back to the look of the frame before the last.
TWINKLE = (HOT, PALE, GOLD_LIGHT)
# The diamond's (outer, inner) colours while it flashes; it is gold and light gold otherwise.
DIAMOND_FLASH = {34: (GOLD_LIGHT, HOT), 35: (HOT, HOT), 36: (HOT, GOLD_LIGHT), 37: (GOLD_LIGHT, HOT),
                 38: (GOLD, HOT), 39: (GOLD, PALE), 40: (GOLD, GOLD)}
TITLE_SIZE, TITLE_KERNING = 290, 12
SUB_SIZE, SUB_KERNING = 130, 40
TITLE_INK_TOP = 135
GAP = 40
DIAMOND = 22  # half its diagonal


def run(*args):
    subprocess.run(["convert", *map(str, args)], check=True)


def query(*args):
    out = subprocess.run(["convert", *map(str, args)], check=True, capture_output=True, text=True)
    return out.stdout.split()


def ease_out(t):
    t = min(1.0, max(0.0, t))
    return 1 - (1 - t) ** 3


def canvas():
    return ["-size", f"{WIDTH}x{HEIGHT}", "xc:none"]


class Word:
    """One word drawn on a full canvas, with where each of its letters lies."""

    def __init__(self, text, size, kerning, ink_left, ink_top):
        probe = query(*canvas(), "-font", FONT, "-pointsize", size, "-kerning", kerning, "-fill", "white",
                      "-annotate", "+0+400", text, "-trim", "-format", "%w %h %X %Y", "info:")
        w, h, x, y = (int(v) for v in probe)
        self.text, self.size, self.kerning = text, size, kerning
        self.x = ink_left - x
        self.baseline = ink_top + (400 - y)
        self.ink = (ink_left, ink_top, ink_left + w, ink_top + h)
        # Letter columns from the advances of the word's beginnings.
        starts = [self.x]
        for n in range(1, len(text)):
            starts.append(self.x + int(query("-font", FONT, "-pointsize", size, "-kerning", kerning,
                                             "label:" + text[:n], "-format", "%w", "info:")[0]))
        edges = [self.ink[0] - 4] + starts[1:] + [self.ink[2] + 4]
        self.columns = list(zip(edges[:-1], edges[1:]))

    def draw(self, path, fill_args, stroke=None):
        text = ["-font", FONT, "-pointsize", self.size, "-kerning", self.kerning,
                "-annotate", f"+{self.x}+{self.baseline}", self.text]
        mask = ["(", *canvas(), "-fill", "white", *text, ")"]
        outline = ["(", *canvas(), "-fill", stroke, "-stroke", stroke, "-strokewidth", 7, *text, ")"] if stroke else []
        run(*outline, "(", *fill_args, "-alpha", "set", *mask, "-compose", "DstIn", "-composite", ")",
            *(["-compose", "Over", "-composite"] if stroke else []), path)


def center_out(count):
    """Letter order from the middle outwards, in pairs: the step of each letter."""
    return [int(abs(i - (count - 1) / 2)) for i in range(count)]


def centred_word(text, size, kerning, ink_top):
    probe = Word(text, size, kerning, 0, ink_top)
    return Word(text, size, kerning, CENTER_X - (probe.ink[2] - probe.ink[0]) // 2, ink_top)


def make_parts(tmp):
    title = centred_word("KORVIX", TITLE_SIZE, TITLE_KERNING, TITLE_INK_TOP)
    rule_y = title.ink[3] + GAP + DIAMOND
    sub = centred_word("VELARINE", SUB_SIZE, SUB_KERNING, rule_y + DIAMOND + GAP)

    gold = ["-size", f"{WIDTH}x{HEIGHT}", "-define",
            f"gradient:vector=0,{title.ink[1]},0,{title.ink[3]}", f"gradient:{GOLD_LIGHT}-{GOLD_DEEP}"]
    title.draw(f"{tmp}/title.png", gold, stroke=OUTLINE)
    title.draw(f"{tmp}/title_hot.png", ["-size", f"{WIDTH}x{HEIGHT}", f"xc:{HOT}"])
    sub.draw(f"{tmp}/sub.png", ["-size", f"{WIDTH}x{HEIGHT}", f"xc:{PALE}"])
    sub.draw(f"{tmp}/sub_hot.png", ["-size", f"{WIDTH}x{HEIGHT}", f"xc:{HOT}"])

    # The rule: gold at the diamond, fading into the blue towards its ends.
    half = 620
    run("-size", f"{half}x5", "-define", f"gradient:vector=0,0,{half},0", f"gradient:{GOLD}-{DEEP_BLUE}",
        "(", "+clone", "-flop", ")", "+swap", "+append",
        "-background", "none", "-gravity", "center", "-extent", f"{2 * half + 2 * DIAMOND}x5",
        "-gravity", "northwest", "-background", "none",
        "-extent", f"{WIDTH}x{HEIGHT}-{CENTER_X - half - DIAMOND}-{rule_y - 2}", f"{tmp}/rule.png")
    return title, sub, rule_y, half


def diamond(cx, cy, r, color, inner=None):
    pts = f"{cx},{cy - r} {cx + r},{cy} {cx},{cy + r} {cx - r},{cy}"
    args = ["-fill", color, "-draw", f"polygon {pts}"]
    if inner:
        q = r * 0.45
        args += ["-fill", inner, "-draw", f"polygon {cx},{cy - q} {cx + q},{cy} {cx},{cy + q} {cx - q},{cy}"]
    return args


def sparkle(cx, cy, r, color):
    """A four-pointed star: a thin cross of two long diamonds."""
    w = r * 0.22
    return ["-fill", color,
            "-draw", f"polygon {cx},{cy - r} {cx + w},{cy} {cx},{cy + r} {cx - w},{cy}",
            "-draw", f"polygon {cx - r},{cy} {cx},{cy - w} {cx + r},{cy} {cx},{cy + w}"]


def reveal(path, left, right, top, bottom):
    """The part of a full-canvas layer inside a rectangle, kept at its place."""
    if right <= left or bottom <= top:
        return []
    return ["(", path, "-crop", f"{right - left}x{bottom - top}+{left}+{top}", ")"]


def letter_layers(tmp, word, name, start, step, length, rising, f):
    layers = []
    top, bottom = word.ink[1] - 4, word.ink[3] + 4
    for (left, right), order in zip(word.columns, center_out(len(word.columns))):
        t = (f - (start + order * step)) / length
        if t <= 0:
            continue
        p = ease_out(t)
        height = round((bottom - top) * p)
        front = bottom - height if rising else top + height
        lo, hi = (front, bottom) if rising else (top, front)
        layers += reveal(f"{tmp}/{name}.png", left, right, lo, hi)
        if t < 1:  # a bright edge where the letter comes out
            edge = 16
            elo, ehi = (front, front + edge) if rising else (front - edge, front)
            layers += reveal(f"{tmp}/{name}_hot.png", left, right, max(lo, elo), min(hi, ehi))
    return layers


def frame_scene(tmp, f, title, sub, rule_y, half):
    """The command-line layers of frame f, all kept at their page offsets."""
    layers = ["(", *canvas(), ")"]
    # Rule, growing out of the middle.
    grow = ease_out((f - 2) / 12)
    if grow > 0:
        r = DIAMOND + round(half * grow)
        layers += reveal(f"{tmp}/rule.png", CENTER_X - r, CENTER_X + r, rule_y - 3, rule_y + 4)
    # Letters rising out of the rule, and falling from it.
    layers += letter_layers(tmp, title, "title", 6, 3, 10, True, f)
    layers += letter_layers(tmp, sub, "sub", 16, 3, 8, False, f)
    # The diamond: appears, then flashes before the rest.
    size = DIAMOND * (0.35 + 0.65 * ease_out(f / 5))
    outer, inner = DIAMOND_FLASH.get(f, (GOLD, GOLD_LIGHT))
    layers += ["(", *canvas(), *diamond(CENTER_X, rule_y, size, outer, inner), ")"]
    # Sparkles at the ends of the words after the shine: they grow, then twinkle.
    for cx, cy, start in ((title.ink[2] + 10, title.ink[1] + 6, SPARKLE_STARTS[0]),
                          (sub.ink[0] - 34, sub.ink[1] + 46, SPARKLE_STARTS[1])):
        t = (f - start) / 8
        if t > 0:
            r = 12 + 22 * ease_out(t)
            color = GOLD if f == FRAMES - 1 else TWINKLE[(f - start) % len(TWINKLE)]
            layers += ["(", *canvas(), *sparkle(cx, cy, r, color), ")"]
    return layers


def shine(f, title, scene):
    """A soft diagonal band of light over everything opaque."""
    if not SHINE_FIRST <= f <= SHINE_LAST:
        return []
    t = (f - SHINE_FIRST) / (SHINE_LAST - SHINE_FIRST)
    x = round(title.ink[0] + 60 + (title.ink[2] - title.ink[0] + 190) * t)
    return ["(", *canvas(), "-fill", "rgba(255,252,235,0.85)",
            "-draw", f"polygon {x},0 {x + 90},0 {x - 160},{HEIGHT} {x - 250},{HEIGHT}",
            "-channel", "RGBA", "-blur", "0x18", "+channel", scene, "-compose", "DstIn", "-composite", ")"]


def make_frames(tmp, title, sub, rule_y, half):
    previous = None
    for f in range(FRAMES):
        scene = f"{tmp}/scene.png"
        run(*frame_scene(tmp, f, title, sub, rule_y, half), "-background", "none", "-layers", "flatten", scene)
        lit = f"{tmp}/lit.png"
        band = shine(f, title, scene)
        run(scene, *band, *(["-compose", "Over", "-composite"] if band else []), lit)
        # Edges blended with the blue, alpha cut to on/off, laid over the frame before.
        out = f"{tmp}/frame{f:03d}.png"
        run("(", lit, "-background", DEEP_BLUE, "-flatten", ")",
            "(", lit, "-alpha", "extract", "-threshold", "12%", ")",
            "-alpha", "off", "-compose", "CopyOpacity", "-composite",
            *([previous, "+swap", "-compose", "Over", "-composite"] if previous else []), out)
        previous = out


def make_gif(tmp, output):
    # One palette for all frames, from frames that hold every kind of colour.
    samples = [f"{tmp}/frame{f:03d}.png" for f in (12, 26, 37, 48, 56, 66, FRAMES - 1)]
    run(*samples, "-append", "+dither", "-colors", "255", "-unique-colors", f"{tmp}/palette.png")
    sequence = []
    for f in range(FRAMES):
        delay = 208 if f == REST_FRAME else (8 if f % 2 == 0 else 9)
        sequence += ["-delay", delay, f"{tmp}/frame{f:03d}.png"]
    # Each frame keeps only the box of what changed, with the unchanged pixels in it transparent.
    run("-dispose", "None", *sequence, "+dither", "-remap", f"{tmp}/palette.png",
        "-layers", "OptimizeFrame", "-layers", "OptimizeTransparency", "-loop", "1", output)
    frames = subprocess.run(["identify", "-format", "%T %D\\n", output], check=True, capture_output=True,
                            text=True).stdout.split("\n")[:-1]
    expected = [f"{208 if f == REST_FRAME else 8 + f % 2} None" for f in range(FRAMES)]
    if frames != expected:
        sys.exit(f"unexpected frames (delay, disposal): {frames}")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "title_banner.gif")
    with tempfile.TemporaryDirectory(prefix="title-banner-") as tmp:
        title, sub, rule_y, half = make_parts(tmp)
        make_frames(tmp, title, sub, rule_y, half)
        make_gif(tmp, output)
    print(output, os.path.getsize(output), "bytes")


if __name__ == "__main__":
    main()
