#include <gtest/gtest.h>

#include <cstdint>

#include "subtitles/decoded_sound.h"
#include "subtitles/editor/timeline/timeline_view.h"

namespace korvix {
namespace {

SubtitleClip clip_with(uint32_t length_ms, std::vector<SubtitleLine> lines) {
  SubtitleClip clip;
  clip.length_ms = length_ms;
  clip.lines = std::move(lines);
  return clip;
}

TEST(TimelineSpan, TakesTheLargestOfItsSources) {
  DecodedSound long_sound = make_decoded_sound(std::vector<float>(12345, 0.0f), 1, 1000);
  struct Case {
    const char* name;
    SubtitleClip clip;
    const DecodedSound* sound;
    double span;
  } cases[] = {
      {"an empty clip still shows a second", clip_with(0, {}), nullptr, 1000},
      {"the clip's length", clip_with(4000, {}), nullptr, 4000},
      {"the sound, when longer", clip_with(4000, {}), &long_sound, 12345},
      {"room after the last line's end", clip_with(4000, {{1000, 5000, "a", 0}}), nullptr, 5250},
      // A wrong line starting after its end still fits, so its end can be dragged.
      {"a line ending before it starts", clip_with(0, {{9000, 100, "a", 0}}), nullptr, 9250},
      // end + 250 must not wrap at 32 bits.
      {"a line at the top of the range", clip_with(0, {{UINT32_MAX - 100, UINT32_MAX, "a", 0}}), nullptr,
       static_cast<double>(UINT32_MAX) + 250},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(total_span_ms(c.clip, c.sound), c.span) << c.name;
}

TEST(TimelineView, FitsAndClampsWidthAndStart) {
  struct Case {
    TimelineView in;
    double span;
    TimelineView out;
  } cases[] = {
      {{500, 0}, 8000, {0, 8000}},         // 0 means fit
      {{500, 9000}, 8000, {0, 8000}},      // wider than D: fit
      {{500, 100}, 8000, {500, 300}},      // never less than 300 ms
      {{7900, 1000}, 8000, {7000, 1000}},  // the start keeps the view inside D
      {{-40, 1000}, 8000, {0, 1000}},
  };
  for (const Case& c : cases) {
    TimelineView v = fitted_view(c.in, c.span);
    EXPECT_DOUBLE_EQ(v.start_ms, c.out.start_ms) << c.in.start_ms << " " << c.in.width_ms;
    EXPECT_DOUBLE_EQ(v.width_ms, c.out.width_ms) << c.in.start_ms << " " << c.in.width_ms;
  }
}

TEST(TimelineView, ZoomKeepsTheTimeUnderThePointer) {
  // 1000 px from x = 100 showing 0 .. 10 s; the mouse at 3 s.
  TimelineView view{0, 10000};
  TimelineView in = zoom_view(view, 1, 400, 100, 1000, 20000);
  EXPECT_DOUBLE_EQ(in.width_ms, 8000);
  EXPECT_DOUBLE_EQ((TimeAxis{100, 1000, in.start_ms, in.width_ms}.time_at(400)), 3000);
  // Many notches: never under 300 ms, and still about the pointer.
  TimelineView deep = zoom_view(view, 40, 400, 100, 1000, 20000);
  EXPECT_DOUBLE_EQ(deep.width_ms, 300);
  EXPECT_NEAR((TimeAxis{100, 1000, deep.start_ms, deep.width_ms}.time_at(400)), 3000, 1e-9);
  // Out: never more than D, and then the view starts at 0.
  TimelineView out = zoom_view({5000, 10000}, -10, 400, 100, 1000, 20000);
  EXPECT_DOUBLE_EQ(out.width_ms, 20000);
  EXPECT_DOUBLE_EQ(out.start_ms, 0);
  // Zooming in next to the start doesn't show time before 0.
  TimelineView edge = zoom_view({0, 10000}, 1, 100, 100, 1000, 20000);
  EXPECT_DOUBLE_EQ(edge.start_ms, 0);
}

TEST(TimelineView, PanFollowEdgeScrollAndCentre) {
  const double span = 20000;
  EXPECT_DOUBLE_EQ(pan_view({5000, 1000}, 1, span).start_ms, 4880);
  EXPECT_DOUBLE_EQ(pan_view({5000, 1000}, -2, span).start_ms, 5240);
  EXPECT_DOUBLE_EQ(pan_view({50, 1000}, 1, span).start_ms, 0);
  EXPECT_DOUBLE_EQ(pan_view({18900, 1000}, -2, span).start_ms, 19000);

  // Following: only past 95 % or before the start.
  EXPECT_DOUBLE_EQ(follow_playhead({1000, 1000}, 1950, span).start_ms, 1000);
  EXPECT_DOUBLE_EQ(follow_playhead({1000, 1000}, 1951, span).start_ms, 1901);
  EXPECT_DOUBLE_EQ(follow_playhead({1000, 1000}, 400, span).start_ms, 350);
  EXPECT_DOUBLE_EQ(follow_playhead({1000, 1000}, 19990, span).start_ms, 19000);

  // Sliding while a drag is held beyond an edge (the strip is 100 .. 1100).
  EXPECT_DOUBLE_EQ(edge_scroll({5000, 1000}, 1101, 100, 1000, span).start_ms, 5020);
  EXPECT_DOUBLE_EQ(edge_scroll({5000, 1000}, 99, 100, 1000, span).start_ms, 4980);
  EXPECT_DOUBLE_EQ(edge_scroll({5000, 1000}, 600, 100, 1000, span).start_ms, 5000);
  EXPECT_DOUBLE_EQ(edge_scroll({10, 1000}, 0, 100, 1000, span).start_ms, 0);

  EXPECT_DOUBLE_EQ(centre_view_on({0, 1000}, 6000, span).start_ms, 5500);
  EXPECT_DOUBLE_EQ(centre_view_on({0, 1000}, 19900, span).start_ms, 19000);
  EXPECT_DOUBLE_EQ(centre_view_on({3000, 1000}, 100, span).start_ms, 0);
}

}  // namespace
}  // namespace korvix
