#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "editor/media/decoded_sound.h"
#include "editor/timeline/timeline_layout.h"

namespace korvix {
namespace {

using namespace editor_colors;
using namespace testing;

std::array<double, 4> corners(const Box& b) { return {b.x0, b.y0, b.x1, b.y1}; }
auto box_near(const Box& b) { return ResultOf(corners, Pointwise(DoubleNear(1e-9), corners(b))); }

TEST(TimelineRuler, StepFollowsTheZoom) {
  struct Case {
    TimeAxis axis;
    double s, step;
    size_t count;
    double first_ms, first_x;
    std::string first_label, last_label;
  } cases[] = {
      // 100 ms are 10 px; the first step at least 76.5 px apart is 1 s.
      {{0, 1000, 0, 10000}, 17, 1000, 11, 0, 0, "0s", "10s"},
      // Zoomed in: 100 ms are 166 px; ticks start at the first multiple in view.
      {{0, 1000, 1234, 600}, 17, 100, 6, 1300, 110, "1.3s", "1.8s"},
      // Ticks under a second apart carry the decimals that tell them apart.
      {{0, 1000, 1250, 2500}, 17, 250, 11, 1250, 0, "1.25s", "3.75s"},
      {{0, 1000, 61500, 5000}, 17, 500, 11, 61500, 0, "1:01.5", "1:06.5"},
      // At twice the scale the ticks need twice the room.
      {{0, 1000, 0, 10000}, 34, 2000, 6, 0, 0, "0s", "10s"},
      // An hour over 1000 px: 5 minutes.
      {{0, 1000, 0, 3600000}, 17, 300000, 13, 0, 0, "0s", "60:00"},
      // Times near 2^32 ms over 1000 px: hours, doubled until they are 76.5 px apart.
      {{0, 1000, 0, 4294967295.0}, 17, 3600000.0 * 128, 10, 0, 0, "0s", "69120:00"},
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
}

TEST(TimelineWave, ColumnsFromThePeakTableOrFromTheFrames) {
  // 8192 frames at 1000 per second: two frames per peak slice. Silence but
  // for a clipped spike at frame 100, a spike at 4001 and a low stretch.
  std::vector<float> samples(8192, 0.0f);
  samples[100] = 1.5f;
  samples[4001] = 0.9f;
  std::fill(samples.begin() + 6000, samples.begin() + 7000, -0.5f);
  const DecodedSound sound = make_decoded_sound(std::move(samples), 1, 1000);
  const Box band{0, 100, 1000, 200};  // centre 150, 46 px per unit
  // Zoomed out a column spans slices; zoomed in, half a frame.
  const TimeAxis out{0, 1000, 0, 8192}, in{0, 1000, 4000, 500};
  struct Case {
    const char* name;
    TimeAxis axis;
    double x, y0, y1;
  } cases[] = {
      {"1.5 clamped to 1", out, 12, 104, 150},
      {"the spike at 4001", out, 488, 150 - 0.9 * 46, 150},
      {"-0.5", out, 800, 150, 173},
      {"silence: at least a pixel", out, 300, 150, 151},
      {"frame 4000 is silent though its slice holds the spike", in, 0, 150, 151},
      {"frame 4001", in, 2, 150 - 0.9 * 46, 150},
  };
  for (const Case& c : cases) {
    std::vector<WaveColumn> columns = wave_columns(sound, c.axis, band);
    auto column = std::find_if(columns.begin(), columns.end(), [&](const WaveColumn& w) { return w.x == c.x; });
    ASSERT_NE(column, columns.end()) << c.name;
    EXPECT_THAT((std::array{column->y0, column->y1}), Pointwise(DoubleNear(1e-4), std::array{c.y0, c.y1})) << c.name;
  }
  EXPECT_EQ(wave_columns(sound, out, band).size(), 1000u);
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
  // The ruler band 50 .. 70.4, the lines band .. 107.8, the wave band .. 184.3; nothing hovered.
  TimelineInput input{.clip = &clip,
                      .axis = {0, 1000, 0, 10000},
                      .top = 50,
                      .sizes = editor_sizes(1),
                      .picked_line = 1,
                      .playhead_ms = 2500,
                      .lit = {},
                      .hover_x = 640};
  TimelineLayout layout = layout_timeline(input);
  EXPECT_NEAR(layout.tick_top, 50 + 0.55 * 20.4, 1e-9);
  EXPECT_DOUBLE_EQ(layout.playhead_x, 250);
  EXPECT_EQ(layout.hover_x, 640);
  EXPECT_TRUE(layout.wave.empty());  // no sound

  ASSERT_EQ(layout.boxes.size(), 4u);  // the line at 20 s is out of view
  const LineBox &zero = layout.boxes[0], &picked = layout.boxes[1], &plain = layout.boxes[2];
  EXPECT_THAT(zero.box, box_near({100, 73.4, 102, 104.8}));
  EXPECT_EQ(zero.outline, warning);  // ends where it starts
  EXPECT_EQ(zero.outline_width, 2);

  EXPECT_EQ(picked.label, "Ann: picked");
  EXPECT_THAT(picked.column, box_near({200, 107.8, 300, 184.3}));
  EXPECT_THAT(picked.label_clip, box_near({203, 73.4, 297, 104.8}));
  EXPECT_DOUBLE_EQ(picked.label_x, 205);
  EXPECT_NEAR(picked.label_y, (73.4 + 104.8) / 2 - 8.5, 1e-9);
  // The picked line is outlined in the accent, the others in their speaker's colour.
  EXPECT_EQ(picked.outline, accent);
  EXPECT_EQ(plain.outline, with_alpha(speaker(3), 200));

  // 6000 and 6100 are 10 px apart: one handle between them, unlit.
  ASSERT_EQ(layout.handles.size(), 1u);
  const BoundaryHandle& handle = layout.handles[0];
  EXPECT_EQ(handle.first_line, 2);
  EXPECT_THAT((std::array{handle.x, handle.y, handle.half}), Pointwise(DoubleNear(1e-9), {605.0, 89.1, 3.5}));
  EXPECT_TRUE(handle.edge_xs.empty());
  // Hovered on its left side: lit, bigger, and the first line's end marked; in its middle, both edges.
  input.lit = {DragMode::end_edge, 2, 2, BoundarySide::left};
  BoundaryHandle left = layout_timeline(input).handles[0];
  EXPECT_TRUE(left.lit);
  EXPECT_DOUBLE_EQ(left.half, 5);
  EXPECT_EQ(left.colour, accent);
  EXPECT_EQ(left.edge_xs, (std::vector<double>{600}));
  input.lit = {DragMode::boundary, 2, 2, BoundarySide::both};
  EXPECT_EQ(layout_timeline(input).handles[0].edge_xs, (std::vector<double>{600, 610}));
}

TEST(TimelineOverview, StripBarLinesViewAndPlayhead) {
  SubtitleClip clip;
  clip.lines = {{1000, 2000, "a", 4}, {3000, 3000, "b", 0}};
  OverviewLayout o = layout_overview(clip, 10000, {2000, 1000}, 5000, 10, 300, 500, editor_sizes(2));
  EXPECT_THAT(o.strip, box_near({10, 300, 510, 322}));
  EXPECT_THAT(o.bar, box_near({10, 304, 510, 318}));
  ASSERT_EQ(o.lines.size(), 2u);
  EXPECT_THAT(o.lines[0].box, box_near({60, 304, 110, 318}));
  EXPECT_EQ(o.lines[0].colour, with_alpha(speaker(4), 90));
  EXPECT_EQ(o.lines[1].box.width(), 1);  // never thinner than a pixel
  EXPECT_THAT(o.view_frame, box_near({110, 300, 160, 322}));
  EXPECT_DOUBLE_EQ(o.playhead_x, 260);
  EXPECT_DOUBLE_EQ(overview_time_at(260, 10, 500, 10000), 5000);
  EXPECT_DOUBLE_EQ(overview_time_at(900, 10, 500, 10000), 10000);
  EXPECT_DOUBLE_EQ(overview_time_at(0, 10, 500, 10000), 0);
}

}  // namespace
}  // namespace korvix
