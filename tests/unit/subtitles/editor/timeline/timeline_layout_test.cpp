#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "subtitles/decoded_sound.h"
#include "subtitles/editor/timeline/timeline_layout.h"

namespace korvix {
namespace {

void expect_near(const Box& a, const Box& b) {
  EXPECT_NEAR(a.x0, b.x0, 1e-9);
  EXPECT_NEAR(a.y0, b.y0, 1e-9);
  EXPECT_NEAR(a.x1, b.x1, 1e-9);
  EXPECT_NEAR(a.y1, b.y1, 1e-9);
}

std::vector<double> tick_times(const std::vector<RulerTick>& ticks) {
  std::vector<double> times;
  for (const RulerTick& tick : ticks) times.push_back(tick.ms);
  return times;
}

TEST(TimelineRuler, StepFollowsTheZoom) {
  struct Case {
    TimeAxis axis;
    double s;
    double step;
    size_t count;
    double first_ms;
    double first_x;
    std::string first_label, last_label;
  } cases[] = {
      // 100 ms are 10 px; the first step at least 76.5 px apart is 1 s.
      {{0, 1000, 0, 10000}, 17, 1000, 11, 0, 0, "0s", "10s"},
      // Zoomed in: 100 ms are 166 px; ticks start at the first multiple in view.
      {{0, 1000, 1234, 600}, 17, 100, 6, 1300, 110, "1s", "1s"},
      // At twice the scale the ticks need twice the room.
      {{0, 1000, 0, 10000}, 34, 2000, 6, 0, 0, "0s", "10s"},
      // An hour over 1000 px: no step is wide enough, so 2 minutes.
      {{0, 1000, 0, 3600000}, 17, 120000, 31, 0, 0, "0s", "60:00"},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(ruler_step_ms(c.axis, c.s), c.step) << c.axis.width_ms;
    std::vector<RulerTick> ticks = ruler_ticks(c.axis, c.s);
    ASSERT_EQ(ticks.size(), c.count) << c.axis.width_ms;
    EXPECT_DOUBLE_EQ(ticks.front().ms, c.first_ms);
    EXPECT_NEAR(ticks.front().x, c.first_x, 1e-9);
    EXPECT_EQ(ticks.front().label, c.first_label);
    EXPECT_EQ(ticks.back().label, c.last_label);
  }
  EXPECT_EQ(tick_times(ruler_ticks({0, 1000, 1234, 600}, 17)),
            (std::vector<double>{1300, 1400, 1500, 1600, 1700, 1800}));
}

class WaveColumns : public ::testing::Test {
 protected:
  WaveColumns() {
    // 8192 frames at 1000 per second: two frames per peak slice. Silence but
    // for a clipped spike at frame 100, a spike at 4001 and a low stretch.
    std::vector<float> samples(8192, 0.0f);
    samples[100] = 1.5f;
    samples[4001] = 0.9f;
    for (size_t i = 6000; i < 7000; ++i) samples[i] = -0.5f;
    sound = make_decoded_sound(std::move(samples), 1, 1000);
  }
  const WaveColumn* column_at(const std::vector<WaveColumn>& columns, double x) {
    for (const WaveColumn& c : columns)
      if (c.x == x) return &c;
    return nullptr;
  }
  DecodedSound sound;
  const Box band{0, 100, 1000, 200};  // centre 150, 46 px per unit
};

TEST_F(WaveColumns, ZoomedOutTheyComeFromThePeakTable) {
  std::vector<WaveColumn> columns = wave_columns(sound, {0, 1000, 0, 8192}, band);
  ASSERT_EQ(columns.size(), 1000u);
  struct Case {
    double x, y0, y1;
  } cases[] = {
      {12, 104, 150},              // 1.5 clamped to 1
      {488, 150 - 0.9 * 46, 150},  // the spike at 4001
      {800, 150, 173},             // -0.5
      {300, 150, 151},             // silence: at least a pixel
  };
  for (const Case& c : cases) {
    const WaveColumn* column = column_at(columns, c.x);
    ASSERT_NE(column, nullptr) << c.x;
    EXPECT_NEAR(column->y0, c.y0, 1e-4) << c.x;
    EXPECT_NEAR(column->y1, c.y1, 1e-4) << c.x;
  }
}

TEST_F(WaveColumns, ZoomedInTheyReadTheFrames) {
  // Half a frame per column: frame 4000 is silent though its slice holds the spike.
  std::vector<WaveColumn> columns = wave_columns(sound, {0, 1000, 4000, 500}, band);
  EXPECT_NEAR(column_at(columns, 0)->y0, 150, 1e-9);
  EXPECT_NEAR(column_at(columns, 2)->y0, 150 - 0.9 * 46, 1e-4);
  // Past the sound's end there are no columns.
  EXPECT_EQ(wave_columns(sound, {0, 1000, 8000, 1000}, band).size(), 192u);
  EXPECT_TRUE(wave_columns(make_decoded_sound({}, 1, 1000), {0, 1000, 0, 1000}, band).empty());
}

TEST(TimelineLayout, BandsBoxesHandlesAndPlayhead) {
  SubtitleClip clip;
  clip.names[1] = "Ann";
  clip.lines = {{1000, 1000, "zero", 0},
                {2000, 3000, "picked", 1},
                {5000, 6000, "plain", 3},
                {6100, 7000, "close by", 3},
                {20000, 21000, "out of view", 0}};
  TimelineInput input;
  input.clip = &clip;
  input.axis = {0, 1000, 0, 10000};
  input.top = 50;
  input.scale = 1;
  input.picked_line = 1;
  input.playhead_ms = 2500;
  input.hover_x = 640;
  TimelineLayout layout = layout_timeline(input);

  EXPECT_NEAR(layout.bands.ruler.y1, 70.4, 1e-9);
  EXPECT_NEAR(layout.bands.lines.y1, 107.8, 1e-9);
  EXPECT_NEAR(layout.bands.wave.y1, 50 + 7.9 * 17, 1e-9);
  EXPECT_NEAR(layout.tick_top, 50 + 0.55 * 20.4, 1e-9);
  EXPECT_DOUBLE_EQ(layout.playhead_x, 250);
  EXPECT_EQ(layout.hover_x, 640);
  EXPECT_TRUE(layout.wave.empty());  // no sound

  ASSERT_EQ(layout.boxes.size(), 4u);  // the line at 20 s is out of view
  const LineBox& zero = layout.boxes[0];
  expect_near(zero.box, {100, 73.4, 102, 104.8});
  EXPECT_EQ(zero.outline, editor_colors::warning);  // ends where it starts
  EXPECT_EQ(zero.outline_width, 2);

  const LineBox& picked = layout.boxes[1];
  EXPECT_EQ(picked.label, "Ann: picked");
  EXPECT_EQ(picked.fill, editor_colors::with_alpha(editor_colors::speaker(1), 150));
  EXPECT_EQ(picked.column_fill, editor_colors::with_alpha(editor_colors::speaker(1), 34));
  expect_near(picked.column, {200, 107.8, 300, layout.bands.wave.y1});
  EXPECT_EQ(picked.outline, editor_colors::accent);
  EXPECT_EQ(picked.label_colour, editor_colors::white);
  expect_near(picked.label_clip, {203, 73.4, 297, 104.8});
  EXPECT_DOUBLE_EQ(picked.label_x, 205);
  EXPECT_NEAR(picked.label_y, (73.4 + 104.8) / 2 - 8.5, 1e-9);

  const LineBox& plain = layout.boxes[2];
  EXPECT_EQ(plain.fill, editor_colors::with_alpha(editor_colors::speaker(3), 70));
  EXPECT_EQ(plain.column_fill, editor_colors::with_alpha(editor_colors::speaker(3), 14));
  EXPECT_EQ(plain.outline, editor_colors::with_alpha(editor_colors::speaker(3), 200));
  EXPECT_EQ(plain.outline_width, 1);
  EXPECT_EQ(static_cast<int>(plain.label_colour >> IM_COL32_A_SHIFT), 209);

  // 6000 and 6100 are 10 px apart: one handle between them, unlit.
  ASSERT_EQ(layout.handles.size(), 1u);
  EXPECT_EQ(layout.handles[0].first_line, 2);
  EXPECT_DOUBLE_EQ(layout.handles[0].x, 605);
  EXPECT_NEAR(layout.handles[0].y, (70.4 + 107.8) / 2, 1e-9);
  EXPECT_DOUBLE_EQ(layout.handles[0].half, 3.5);
  EXPECT_EQ(layout.handles[0].colour, editor_colors::with_alpha(editor_colors::white, 150));
  EXPECT_TRUE(layout.handles[0].edge_xs.empty());

  // Hovered on its left side: lit, bigger, and the first line's end marked.
  input.lit = {DragMode::end_edge, 2, 2, BoundarySide::left};
  BoundaryHandle left = layout_timeline(input).handles[0];
  EXPECT_TRUE(left.lit);
  EXPECT_DOUBLE_EQ(left.half, 5);
  EXPECT_EQ(left.colour, editor_colors::accent);
  EXPECT_EQ(left.edge_xs, (std::vector<double>{600}));
  input.lit = {DragMode::boundary, 2, 2, BoundarySide::both};
  EXPECT_EQ(layout_timeline(input).handles[0].edge_xs, (std::vector<double>{600, 610}));
}

TEST(TimelineOverview, StripBarLinesViewAndPlayhead) {
  SubtitleClip clip;
  clip.lines = {{1000, 2000, "a", 4}, {3000, 3000, "b", 0}};
  OverviewLayout o = layout_overview(clip, 10000, {2000, 1000}, 5000, 10, 300, 500, 2.0f);
  expect_near(o.strip, {10, 300, 510, 322});
  expect_near(o.bar, {10, 304, 510, 318});
  ASSERT_EQ(o.lines.size(), 2u);
  expect_near(o.lines[0].box, {60, 304, 110, 318});
  EXPECT_EQ(o.lines[0].colour, editor_colors::with_alpha(editor_colors::speaker(4), 90));
  EXPECT_EQ(o.lines[1].box.width(), 1);  // never thinner than a pixel
  expect_near(o.view_frame, {110, 300, 160, 322});
  EXPECT_DOUBLE_EQ(o.playhead_x, 260);
  EXPECT_DOUBLE_EQ(overview_time_at(260, 10, 500, 10000), 5000);
  EXPECT_DOUBLE_EQ(overview_time_at(900, 10, 500, 10000), 10000);
  EXPECT_DOUBLE_EQ(overview_time_at(0, 10, 500, 10000), 0);
}

}  // namespace
}  // namespace korvix
