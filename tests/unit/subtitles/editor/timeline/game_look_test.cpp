#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/game_settings.h"
#include "state/state_test_support.h"
#include "subtitles/editor/timeline/game_look.h"
#include "subtitles/editor/timeline/preview_layout.h"

namespace korvix {
namespace {

// Every byte half the font size wide.
const MeasureAt half_em = [](std::string_view text, double size) {
  return static_cast<double>(text.size()) * 0.5 * size;
};

void expect_near(const Box& a, const Box& b, const char* what) {
  EXPECT_NEAR(a.x0, b.x0, 1e-6) << what;
  EXPECT_NEAR(a.y0, b.y0, 1e-6) << what;
  EXPECT_NEAR(a.x1, b.x1, 1e-6) << what;
  EXPECT_NEAR(a.y1, b.y1, 1e-6) << what;
}

// A 16:9 area 450 high: at size 100 the font is 0.042 × 450 = 18.9 px.
const Box area{0, 0, 800, 450};
const std::vector<LookLine> one_line = {{"alpha beta gamma delta epsilon", editor_colors::speaker(1)}};

TEST(GameLook, FontSizeRowsAndPlaces) {
  GameLookSettings look;
  look.width = 30;  // 240 px: "alpha beta gamma delta" (207.9 px) fits, "epsilon" goes below
  GameLookLayout layout = layout_game_look(area, one_line, look, half_em);
  EXPECT_NEAR(layout.font_size, 18.9, 1e-12);
  EXPECT_NEAR(layout.row_gap, 1.22 * 18.9, 1e-12);
  ASSERT_EQ(layout.rows, 2u);
  // Drop shadow (edge 1): a black copy 1 px right and down before each row.
  ASSERT_EQ(layout.texts.size(), 4u);
  const double v = 1.22 * 18.9;
  const double first = 450 - 0.08 * 450 - 2 * v;
  EXPECT_EQ(layout.texts[1].text, "alpha beta gamma delta");
  EXPECT_NEAR(layout.texts[1].x, 400 - 22 * 0.5 * 18.9 / 2, 1e-9);
  EXPECT_NEAR(layout.texts[1].y, first, 1e-9);
  EXPECT_EQ(layout.texts[1].colour, editor_colors::speaker(1));
  EXPECT_EQ(layout.texts[0].colour, editor_colors::rgba(0, 0, 0, 199));
  EXPECT_NEAR(layout.texts[0].x - layout.texts[1].x, 1, 1e-9);  // e = max(1, F / 22)
  EXPECT_EQ(layout.texts[3].text, "epsilon");
  EXPECT_NEAR(layout.texts[3].y, first + v, 1e-9);

  // One shading box per row by default, 60 % black.
  ASSERT_EQ(layout.shading.size(), 2u);
  double row_left = layout.texts[1].x;
  expect_near(layout.shading[0].box,
              {row_left - 0.45 * 18.9, first - 0.18 * 18.9, row_left + 207.9 + 0.45 * 18.9, first + v - 0.18 * 18.9},
              "row box");
  EXPECT_NEAR(layout.shading[0].rounding, 0.2 * 18.9, 1e-9);
  EXPECT_EQ(layout.shading[0].colour, editor_colors::rgba(0, 0, 0, 153));

  // One block around all rows.
  look.box = 1;
  GameLookLayout block = layout_game_look(area, one_line, look, half_em);
  ASSERT_EQ(block.shading.size(), 1u);
  const double side = 1.4 * 0.45 * 18.9;
  expect_near(block.shading[0].box,
              {400 - 207.9 / 2 - side, first - 2 * 0.18 * 18.9, 400 + 207.9 / 2 + side, 414 + 0.6 * 0.18 * 18.9},
              "block");
  EXPECT_NEAR(block.shading[0].rounding, 0.3 * 18.9, 1e-9);
}

TEST(GameLook, EdgesBackgroundsAndClamps) {
  GameLookSettings look;
  look.edge = 2;
  look.background = 0;
  look.size = 200;
  GameLookLayout outline = layout_game_look(area, one_line, look, half_em);
  EXPECT_NEAR(outline.font_size, 37.8, 1e-12);
  EXPECT_TRUE(outline.shading.empty());
  ASSERT_EQ(outline.rows, 1u);  // 567 px within 78 % of 800
  // An outline: eight black copies around the row, then the row.
  ASSERT_EQ(outline.texts.size(), 9u);
  const double e = 37.8 / 22;
  const LookText& row = outline.texts[8];
  EXPECT_NEAR(outline.texts[0].x, row.x - e, 1e-9);
  EXPECT_NEAR(outline.texts[0].y, row.y - e, 1e-9);
  EXPECT_NEAR(outline.texts[7].x, row.x + e, 1e-9);
  EXPECT_EQ(outline.texts[4].colour, editor_colors::rgba(0, 0, 0, 230));

  // Out of range values are clamped as the game clamps them.
  look = {};
  look.size = 1000;
  look.position = 99;
  look.background = 150;
  look.edge = 0;
  look.width = 10;
  EXPECT_EQ(clamped(look), (GameLookSettings{300, 100, 0, 0, 60, 30, true, true}));
  GameLookLayout big = layout_game_look(area, {{"a", editor_colors::white}}, look, half_em);
  EXPECT_NEAR(big.font_size, 56.7, 1e-9);
  ASSERT_EQ(big.texts.size(), 1u);  // no edge
  EXPECT_NEAR(big.texts[0].y, 450 - 0.6 * 450 - 1.22 * 56.7, 1e-9);
  EXPECT_EQ(big.shading[0].colour, editor_colors::rgba(0, 0, 0, 255));

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

TEST(Preview, BoxHeightPictureAndArea) {
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

  expect_near(picture_rect({0, 100, 1000, 352}, wide), {276, 100, 724, 352}, "picture");
  expect_near(widest_16_9({0, 100, 1000, 352}), {276, 100, 724, 352}, "16:9 in a wide box");
  expect_near(widest_16_9({0, 0, 320, 400}), {0, 110, 320, 290}, "16:9 in a tall box");
  // A picture never spills out of a box narrower than it at the box's height.
  expect_near(picture_rect({0, 0, 100, 100}, wide), {0, 50 - 28.125, 100, 50 + 28.125}, "narrow box");
}

TEST(Preview, LinesUnderThePlayheadAsTheGameShowsThem) {
  SubtitleClip clip;
  clip.names[2] = "Bo";
  clip.lines = {{0, 1000, "a", 0}, {500, 1500, "b", 2}, {900, 2000, "c", 1}, {950, 3000, "d", 0}, {1000, 1200, "e", 0}};
  EXPECT_EQ(lines_under(clip, 1000), (std::vector<size_t>{1, 2, 3}));  // an end is not under it; at most 3
  EXPECT_EQ(lines_under(clip, 999), (std::vector<size_t>{0, 1, 2}));
  EXPECT_TRUE(lines_under(clip, 5000).empty());

  GameLookSettings look;
  std::vector<LookLine> shown = look_lines(clip, {1}, look);
  EXPECT_EQ(shown[0].text, "Bo: b");
  EXPECT_EQ(shown[0].colour, editor_colors::speaker(2));
  look.speaker_names = false;
  look.speaker_colours = false;
  shown = look_lines(clip, {1}, look);
  EXPECT_EQ(shown[0].text, "b");
  EXPECT_EQ(shown[0].colour, editor_colors::white);
}

TEST(Preview, PlainTextWithoutAPicture) {
  SubtitleClip clip;
  clip.lines = {{0, 1000, "one two", 3}, {0, 1000, "x", 0}, {0, 1000, "y", 0}};
  const double s = 17, f = 1.25 * 17, gap = 1.22 * f;
  const Box box{0, 0, 1000, 3.6 * s};
  PlainPreview one = layout_plain_preview(box, clip, {0}, s, half_em);
  EXPECT_NEAR(one.font_size, f, 1e-12);
  ASSERT_EQ(one.texts.size(), 2u);
  // Centred both ways; the shadow comes first, 2 right and 2 down, in black.
  EXPECT_NEAR(one.texts[1].x, 500 - 7 * 0.5 * f / 2, 1e-9);
  EXPECT_NEAR(one.texts[1].y, (3.6 * s - gap) / 2, 1e-9);
  EXPECT_EQ(one.texts[1].colour, editor_colors::speaker(3));
  EXPECT_NEAR(one.texts[0].x, one.texts[1].x + 2, 1e-9);
  EXPECT_EQ(one.texts[0].colour, editor_colors::rgba(0, 0, 0));
  // A block taller than the box starts 2 from its top.
  EXPECT_NEAR(layout_plain_preview(box, clip, {0, 1, 2}, s, half_em).texts[1].y, 2, 1e-9);
  // Wrapped to 95 % of a narrow box: one word a row.
  EXPECT_EQ(layout_plain_preview({0, 0, 60, 61.2}, clip, {0}, s, half_em).texts.size(), 4u);
  PlainPreview none = layout_plain_preview(box, clip, {}, s, half_em);
  ASSERT_EQ(none.texts.size(), 1u);
  EXPECT_EQ(none.texts[0].text, "(no line here)");
}

TEST(Preview, SplitterShareStaysInItsRange) {
  EXPECT_NEAR(dragged_preview_share(0.28f, 90, 900), 0.38f, 1e-6);
  EXPECT_FLOAT_EQ(dragged_preview_share(0.28f, 9000, 900), 0.75f);
  EXPECT_FLOAT_EQ(dragged_preview_share(0.28f, -9000, 900), 0.08f);
}

}  // namespace
}  // namespace korvix
