#include <gtest/gtest.h>

#include <cstdint>

#include "editor/media/decoded_sound.h"
#include "editor/timeline/timeline_view.h"

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

TEST(TimelineView, FitZoomPanFollowScrollAndCentre) {
  const double d = 20000;
  // Zooming over 1000 px from x = 100 with the mouse at x 400: 30 % in, which stays on the time under it.
  struct Case {
    const char* name;
    TimelineView got;
    double start, width;
  } cases[] = {
      {"0 means fit", fitted_view({500, 0}, 8000), 0, 8000},
      {"wider than D: fit", fitted_view({500, 9000}, 8000), 0, 8000},
      {"never narrower than 300 ms", fitted_view({500, 100}, 8000), 500, 300},
      {"the start keeps the view inside D", fitted_view({7900, 1000}, 8000), 7000, 1000},
      {"the start never before 0", fitted_view({-40, 1000}, 8000), 0, 1000},
      {"a notch in shows 80 %", zoom_view({0, 10000}, 1, 400, 100, 1000, d), 3000 - 0.3 * 8000, 8000},
      {"many notches: never under 300 ms", zoom_view({0, 10000}, 40, 400, 100, 1000, d), 3000 - 0.3 * 300, 300},
      {"out: never more than D, from 0", zoom_view({5000, 10000}, -10, 400, 100, 1000, d), 0, 20000},
      {"in next to the start: nothing before 0", zoom_view({0, 10000}, 1, 100, 100, 1000, d), 0, 8000},
      {"pan back 12 % a notch", pan_view({5000, 1000}, 1, d), 4880, 1000},
      {"pan on by two notches", pan_view({5000, 1000}, -2, d), 5240, 1000},
      {"pan stops at 0", pan_view({50, 1000}, 1, d), 0, 1000},
      {"pan stops at D", pan_view({18900, 1000}, -2, d), 19000, 1000},
      {"follow: not up to 95 %", follow_playhead({1000, 1000}, 1950, d), 1000, 1000},
      {"follow: past 95 %, to 5 %", follow_playhead({1000, 1000}, 1951, d), 1901, 1000},
      {"follow: before the start", follow_playhead({1000, 1000}, 400, d), 350, 1000},
      {"follow: within D", follow_playhead({1000, 1000}, 19990, d), 19000, 1000},
      // The strip is 100 .. 1100; a drag held beyond an edge slides 2 % a frame.
      {"held past the right edge", edge_scroll({5000, 1000}, 1101, 100, 1000, d), 5020, 1000},
      {"held past the left edge", edge_scroll({5000, 1000}, 99, 100, 1000, d), 4980, 1000},
      {"held inside", edge_scroll({5000, 1000}, 600, 100, 1000, d), 5000, 1000},
      {"sliding stops at 0", edge_scroll({10, 1000}, 0, 100, 1000, d), 0, 1000},
      {"centred", centre_view_on({0, 1000}, 6000, d), 5500, 1000},
      {"centred near D", centre_view_on({0, 1000}, 19900, d), 19000, 1000},
      {"centred near 0", centre_view_on({3000, 1000}, 100, d), 0, 1000},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(c.got.start_ms, c.start, 1e-9) << c.name;
    EXPECT_DOUBLE_EQ(c.got.width_ms, c.width) << c.name;
  }
}

}  // namespace
}  // namespace korvix
