#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "settings/game_settings.h"
#include "state/state_test_support.h"
#include "editor/preview/game_look.h"
#include "editor/preview/preview_layout.h"

namespace korvix {
namespace {

using namespace editor_colors;
using namespace testing;

// Every byte half the font size wide.
const MeasureAt half_em = [](std::string_view text, double size) {
  return static_cast<double>(text.size()) * 0.5 * size;
};

std::array<double, 4> corners(const Box& b) { return {b.x0, b.y0, b.x1, b.y1}; }
auto box_near(const Box& b) { return ResultOf(corners, Pointwise(DoubleNear(1e-6), corners(b))); }
auto text_at(const std::string& text, double x, double y, Colour colour) {
  return AllOf(Field(&LookText::text, text), Field(&LookText::x, DoubleNear(x, 1e-9)),
               Field(&LookText::y, DoubleNear(y, 1e-9)), Field(&LookText::colour, colour));
}

// A 16:9 area 450 high: at size 100 the font F is 0.042 × 450 = 18.9 px, its rows V = 1.22 F apart.
const Box area{0, 0, 800, 450};
const double f = 18.9, v = 1.22 * f;
const std::string words = "alpha beta gamma delta epsilon";
const std::vector<LookLine> one_line = {{words, speaker(1)}};

TEST(GameLook, RowsWithADropShadowAndTheirShading) {
  GameLookSettings look;
  look.width = 30;  // 240 px: "alpha beta gamma delta" (207.9 px) fits, "epsilon" goes below
  GameLookLayout layout = layout_game_look(area, one_line, look, half_em);
  EXPECT_NEAR(layout.font_size, f, 1e-12);
  // Centred, the block's bottom 8 % of the height up; each row after its
  // drop shadow (edge 1), max(1, F / 22) right and down.
  const double first = 450 - 0.08 * 450 - 2 * v, left = 400 - 207.9 / 2, right = 400 + 207.9 / 2;
  const double last = 400 - 7 * 0.5 * f / 2;
  EXPECT_THAT(layout.texts, ElementsAre(text_at("alpha beta gamma delta", left + 1, first + 1, rgba(0, 0, 0, 199)),
                                        text_at("alpha beta gamma delta", left, first, speaker(1)),
                                        text_at("epsilon", last + 1, first + v + 1, rgba(0, 0, 0, 199)),
                                        text_at("epsilon", last, first + v, speaker(1))));
  // One shading box per row by default, 60 % black.
  ASSERT_EQ(layout.shading.size(), 2u);
  EXPECT_THAT(layout.shading[0].box,
              box_near({left - 0.45 * f, first - 0.18 * f, right + 0.45 * f, first + v - 0.18 * f}));
  EXPECT_NEAR(layout.shading[0].rounding, 0.2 * f, 1e-9);
  EXPECT_EQ(layout.shading[0].colour, rgba(0, 0, 0, 153));
  // One block around all rows.
  look.box = 1;
  GameLookLayout block = layout_game_look(area, one_line, look, half_em);
  ASSERT_EQ(block.shading.size(), 1u);
  const double side = 1.4 * 0.45 * f;
  EXPECT_THAT(block.shading[0].box, box_near({left - side, first - 2 * 0.18 * f, right + side, 414 + 0.6 * 0.18 * f}));
}

TEST(GameLook, OutlineClampsAndNothingToDraw) {
  GameLookLayout outline = layout_game_look(area, one_line, {.size = 200, .background = 0, .edge = 2}, half_em);
  EXPECT_NEAR(outline.font_size, 2 * f, 1e-12);
  EXPECT_TRUE(outline.shading.empty());
  // An outline: eight black copies around the one row (567 px within 78 % of 800), then the row.
  ASSERT_EQ(outline.texts.size(), 9u);
  const double e = 2 * f / 22, x = 400 - 567 / 2.0, y = 414 - 2 * v;
  EXPECT_THAT(outline.texts[0], text_at(words, x - e, y - e, rgba(0, 0, 0, 230)));
  EXPECT_THAT(outline.texts[7], text_at(words, x + e, y + e, rgba(0, 0, 0, 230)));
  EXPECT_THAT(outline.texts[8], text_at(words, x, y, speaker(1)));

  // Out of range values are clamped as the game clamps them.
  const GameLookSettings wild{.size = 1000, .background = 150, .edge = 0, .position = 99, .width = 10};
  EXPECT_EQ(clamped(wild), (GameLookSettings{300, 100, 0, 0, 60, 30, true, true}));
  GameLookLayout big = layout_game_look(area, {{"a", white}}, wild, half_em);
  EXPECT_NEAR(big.font_size, 3 * f, 1e-9);
  EXPECT_THAT(big.texts, ElementsAre(text_at("a", 400 - 0.25 * 3 * f, 450 - 0.6 * 450 - 3 * v, white)));  // no edge
  EXPECT_EQ(big.shading[0].colour, rgba(0, 0, 0, 255));

  // Nothing to draw: no line, or an area under 16 px.
  EXPECT_TRUE(layout_game_look(area, {}, {}, half_em).texts.empty());
  EXPECT_TRUE(layout_game_look({0, 0, 15, 300}, one_line, {}, half_em).texts.empty());
  EXPECT_TRUE(layout_game_look({0, 0, 300, 15}, one_line, {}, half_em).shading.empty());
}

TEST(GameLook, ReadFromTheGamesSettings) {
  test::TempFolder folder;
  GameSettings settings;
  settings.load(folder / "korvix.toml");  // missing: every default
  EXPECT_EQ(read_game_look(settings), GameLookSettings{});
  test::write_bytes(folder / "korvix.toml",
                    "subtitles_size = 150\r\nsubtitles_background = lots\r\nsubtitles_position = 99\r\n"
                    "subtitles_edge = 2\r\nsubtitles_width =  -5\r\nsubtitles_speaker_names = false\r\n"
                    "subtitles_speaker_colors = true\r\n");
  settings.load(folder / "korvix.toml");
  // The background can't be read: 60; the position and width are clamped.
  EXPECT_EQ(read_game_look(settings), (GameLookSettings{150, 60, 0, 2, 60, 30, false, true}));
}

TEST(Preview, BoxHeightPictureAreaAndSplitter) {
  const double s = 17;
  const PictureSize wide{1280, 720};
  struct Case {
    const char* name;
    std::optional<PictureSize> picture;
    double share, window, room, height;
  } cases[] = {
      {"no picture", std::nullopt, 0.28, 900, 600, 3.6 * 17},
      {"the share of the window", wide, 0.28, 900, 600, 252},
      {"the room left less 10 rows", wide, 0.75, 900, 600, 430},
      {"the picture's height at full width", wide, 0.75, 900, 2000, 562.5},
      {"at least 4 rows", wide, 0.75, 900, 100, 68},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(preview_box_height(c.picture, c.share, c.window, 1000, c.room, s), c.height, 1e-9) << c.name;

  EXPECT_THAT(picture_rect({0, 100, 1000, 352}, wide), box_near({276, 100, 724, 352}));
  EXPECT_THAT(widest_16_9({0, 100, 1000, 352}), box_near({276, 100, 724, 352}));  // in a wide box
  EXPECT_THAT(widest_16_9({0, 0, 320, 400}), box_near({0, 110, 320, 290}));       // in a tall box
  // A picture never spills out of a box narrower than it at the box's height.
  EXPECT_THAT(picture_rect({0, 0, 100, 100}, wide), box_near({0, 50 - 28.125, 100, 50 + 28.125}));

  // The splitter moves the share by the mouse over the window, within 8 .. 75 %.
  EXPECT_NEAR(dragged_preview_share(0.28f, 90, 900), 0.38f, 1e-6);
  EXPECT_FLOAT_EQ(dragged_preview_share(0.28f, 9000, 900), 0.75f);
  EXPECT_FLOAT_EQ(dragged_preview_share(0.28f, -9000, 900), 0.08f);
}

TEST(Preview, LinesUnderThePlayheadAsTheGameShowsThem) {
  SubtitleClip clip;
  clip.names[2] = "Bo";
  clip.lines = {{0, 1000, "a", 0}, {500, 1500, "b", 2}, {900, 2000, "c", 1}, {950, 3000, "d", 0}, {1000, 1200, "e", 0}};
  EXPECT_EQ(lines_under(clip, 1000), (std::vector<size_t>{1, 2, 3}));  // an end is not under it; at most 3
  EXPECT_EQ(lines_under(clip, 999), (std::vector<size_t>{0, 1, 2}));
  EXPECT_TRUE(lines_under(clip, 5000).empty());

  auto shown = [&](GameLookSettings look) {
    LookLine line = look_lines(clip, {1}, look).at(0);
    return std::pair(line.text, line.colour);
  };
  EXPECT_EQ(shown({}), std::pair(std::string("Bo: b"), speaker(2)));
  EXPECT_EQ(shown({.speaker_names = false, .speaker_colours = false}), std::pair(std::string("b"), white));
}

TEST(Preview, PlainTextWithoutAPicture) {
  SubtitleClip clip;
  clip.lines = {{0, 1000, "one two", 3}, {0, 1000, "x", 0}, {0, 1000, "y", 0}};
  const double s = 17, f = 1.25 * 17, gap = 1.22 * f;
  const Box box{0, 0, 1000, 3.6 * s};
  PlainPreview one = layout_plain_preview(box, clip, {0}, s, half_em);
  EXPECT_NEAR(one.font_size, f, 1e-12);
  // Centred both ways; the shadow comes first, 2 right and 2 down, in black.
  const double x = 500 - 7 * 0.5 * f / 2, y = (3.6 * s - gap) / 2;
  EXPECT_THAT(one.texts,
              ElementsAre(text_at("one two", x + 2, y + 2, rgba(0, 0, 0)), text_at("one two", x, y, speaker(3))));
  // A block taller than the box starts 2 from its top.
  EXPECT_NEAR(layout_plain_preview(box, clip, {0, 1, 2}, s, half_em).texts[1].y, 2, 1e-9);
  // Wrapped to 95 % of a narrow box: one word a row.
  EXPECT_EQ(layout_plain_preview({0, 0, 60, 61.2}, clip, {0}, s, half_em).texts.size(), 4u);
  // No line: a dim note in the middle.
  EXPECT_THAT(layout_plain_preview(box, clip, {}, s, half_em).texts,
              ElementsAre(text_at("(no line here)", (1000 - 14 * 0.5 * s) / 2, (3.6 * s - s) / 2, editor_colors::dim)));
}

}  // namespace
}  // namespace korvix
