#include "editor/timeline/timeline_gestures.h"

#include <gtest/gtest.h>

#include "editor/editor_test_support.h"

namespace korvix::test {
namespace {

// A timeline 1000 px wide at scale 1 showing 0 .. 4.5 s of a 9 s clip: 4.5 ms
// per pixel. Its lines band runs from 20.4 to 57.8 px, the wave band below.
class TimelineGesturesTest : public EditorTest {
 protected:
  TimelineGesturesTest() { open({clip_of("vo/gestures", {{1000, 2000, "a", 0}, {4000, 5000, "b", 0}})}); }

  TimelineGestures run(const TimelinePointer& pointer) {
    return run_timeline_gestures(pointer, view, bands, 9000, editor_sizes(1), drag, player, document);
  }

  const TimelineBands bands = timeline_bands(0, 0, 1000, 17);
  TimelineView view{0, 4500};
  RecordingPlayer player{document};
  TimelineDrag drag{document, player};
};

TEST_F(TimelineGesturesTest, TheWheelZoomsAboutThePointerOrPansOnlyOverTheTimeline) {
  struct Case {
    const char* name;
    TimelinePointer pointer;
    TimelineView view;
  } cases[] = {
      {"zoomed in one notch about 2250 ms", {.x = 500, .y = 30, .hovered = true, .wheel = 1}, {450, 3600}},
      {"Shift pans back", {.x = 500, .y = 30, .hovered = true, .wheel = -1, .shift = true}, {540, 4500}},
      {"a horizontal wheel pans", {.x = 500, .y = 30, .hovered = true, .wheel_h = -2}, {1080, 4500}},
      {"not over the timeline", {.x = 500, .y = 30, .wheel = 1}, {0, 4500}},
  };
  for (const Case& c : cases) {
    TimelineGestures g = run(c.pointer);
    EXPECT_NEAR(g.view.start_ms, c.view.start_ms, 1e-6) << c.name;
    EXPECT_NEAR(g.view.width_ms, c.view.width_ms, 1e-6) << c.name;
  }
}

TEST_F(TimelineGesturesTest, HoverOnlyInTheLinesBandAndADragPastTheEdgeScrolls) {
  // 1000 ms is at x 222.2: the line's start edge, shown with the resize cursor.
  TimelineGestures over_edge = run({.x = 222, .y = 30, .hovered = true});
  EXPECT_EQ(over_edge.hover.mode, DragMode::start_edge);
  EXPECT_TRUE(over_edge.resize_cursor);
  EXPECT_EQ(run({.x = 222, .y = 80, .hovered = true}).hover.mode, DragMode::none) << "over the wave band";

  // A scrub from the ruler held beyond the right edge slides the view 2 % a frame.
  EXPECT_FALSE(run({.x = 100, .y = 5, .hovered = true, .pressed = true}).changed);
  EXPECT_EQ(drag.mode(), DragMode::scrub);
  TimelineGestures held = run({.x = 1100, .y = 5, .dragging = true});
  EXPECT_DOUBLE_EQ(held.view.start_ms, 90);
  EXPECT_EQ(player.log, "pause scrub@450 scrub@4950 ");
  run({.x = 1100, .y = 5, .released = true});
  EXPECT_FALSE(drag.active());

  // A drag moving a line reports the change.
  run({.x = 300, .y = 30, .hovered = true, .pressed = true});
  EXPECT_TRUE(run({.x = 400, .y = 30, .hovered = true, .dragging = true}).changed);
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1450, 2450, 4000, 5000}));
}

TEST_F(TimelineGesturesTest, WhilePlayingTheViewFollowsThePlayheadUnlessADragIsHeld) {
  document.playhead_ms = 4400;  // past 95 % of the view
  EXPECT_DOUBLE_EQ(run({}).view.start_ms, 0) << "paused";
  player.is_playing = true;
  EXPECT_DOUBLE_EQ(run({}).view.start_ms, 4400 - 0.05 * 4500);
  run({.x = 300, .y = 30, .hovered = true, .pressed = true});
  EXPECT_DOUBLE_EQ(run({.x = 300, .y = 30, .hovered = true}).view.start_ms, 0) << "a line held";
}

}  // namespace
}  // namespace korvix::test
