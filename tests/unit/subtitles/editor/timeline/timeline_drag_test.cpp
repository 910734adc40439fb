#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "subtitles/editor/editor_test_support.h"
#include "subtitles/editor/timeline/timeline_drag.h"

namespace korvix::test {
namespace {

// Records what the timeline asked of the transport; scrubbing moves the
// document's playhead as the real one does.
struct FakePlayer final : TimelinePlayer {
  explicit FakePlayer(EditorDocument& document) : document(document) {}
  bool playing() const override { return is_playing; }
  void play() override {
    is_playing = true;
    calls.push_back("play@" + std::to_string(static_cast<long long>(document.playhead_ms)));
  }
  void pause() override {
    is_playing = false;
    calls.push_back("pause");
  }
  void scrub_to(double ms) override {
    document.playhead_ms = ms;
    last_scrub = ms;
    calls.push_back("scrub@" + std::to_string(static_cast<long long>(ms)));
  }
  double last_scrub_ms() const override { return last_scrub; }

  EditorDocument& document;
  bool is_playing = false;
  double last_scrub = 0;
  std::vector<std::string> calls;
};

class TimelineDragTest : public EditorTest {
 protected:
  // One clip with these lines, its length 9 s, picked up for dragging.
  void open_lines(std::initializer_list<SubtitleLine> lines) { open({clip_of("vo/drag", lines)}); }

  // 1000 px showing 0 .. 10 s: 10 ms per pixel, so the snap distance is 70 ms.
  TimelineFrame at(double ms) const { return {TimeAxis{0, 1000, 0, 10000}, total_span_ms(clip(), nullptr), 1.0f, ms}; }
  TimelineHit hit_at(double ms) const {
    TimelineFrame f = at(ms);
    return hit_test(clip().lines, f.axis, f.axis.x_of(ms), edge_tolerance_px);
  }
  // Press at one time, hold through the others, release.
  void drag(double from, std::initializer_list<double> through, bool alt = false) {
    timeline.press(at(from), hit_at(from), false, true);
    for (double ms : through) timeline.hold(at(ms), alt);
    timeline.release();
  }

  FakePlayer player{document};
  TimelineDrag timeline{document, player};
};

TEST_F(TimelineDragTest, EdgesStopAtTheMinimumLengthAndTheSpan) {
  open_lines({{1000, 3000, "first", 0}, {5000, 6000, "second", 0}});
  const double span = total_span_ms(clip(), nullptr);
  ASSERT_DOUBLE_EQ(span, 9000);
  drag(1000, {1500, 2500, 2990});
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{2900, 3000, 5000, 6000}));
  drag(6000, {8000, 12000});
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{2900, 3000, 5000, 9000}));
  EXPECT_EQ(player.calls.back(), "scrub@8915");  // the last 85 ms before the end
  drag(5000, {8990});
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{2900, 3000, 8900, 9000}));
  EXPECT_EQ(player.calls.back(), "scrub@8900");
}

TEST_F(TimelineDragTest, ASharedBoundaryMovesBothLinesButKeepsEach100) {
  open_lines({{1000, 2000, "a", 0}, {2000, 3000, "b", 1}});
  drag(2000, {2500, 2950});
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1000, 2900, 2900, 3000}));
  EXPECT_EQ(player.calls.back(), "scrub@2900");
  drag(2900, {200});
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1000, 1100, 1100, 3000}));
  // Grabbed 1.5 T to the left of the handle: only the first line's end.
  drag(1100 - 90, {1600});
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1000, 1600, 1100, 3000}));
  EXPECT_EQ(document.picked_line, 0);
}

TEST_F(TimelineDragTest, EdgesSnapToOtherLinesUnlessAltIsHeld) {
  open_lines({{1000, 2000, "a", 0}, {3000, 4000, "b", 0}});
  drag(3000, {2500, 2050});
  EXPECT_EQ(times_of(clip())[2], 2000u);
  // The lines touch now; grabbed 1.5 T right of the handle: the second start.
  drag(2090, {2040}, true);
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1000, 2000, 2040, 4000}));
}

TEST_F(TimelineDragTest, AMovedLineSnapsByTheSmallerShift) {
  // Proposed at 3997 .. 5997: the start 5 ms after the playhead, the end 3 ms
  // before the next line: the end's shift is the smaller one.
  open_lines({{1000, 3000, "moved", 0}, {6000, 7000, "next", 0}});
  document.playhead_ms = 3992;
  drag(1500, {2500, 4497});
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{4000, 6000, 6000, 7000}));
  // Moving a body plays no scrub sound; the playhead stays.
  EXPECT_TRUE(player.calls.empty());
  EXPECT_DOUBLE_EQ(document.playhead_ms, 3992);
  // Dragged far past the end, the whole line stays within D (9000), and
  // comes after the other on release.
  drag(5000, {20000});
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{6000, 7000, 7000, 9000}));
}

TEST_F(TimelineDragTest, ReleaseSortsTheLinesAndKeepsTheDraggedOnePicked) {
  open_lines({{1000, 2000, "a", 0}, {3000, 4000, "b", 0}});
  drag(3000, {2000, 500});
  EXPECT_EQ(texts_of(clip()), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{500, 4000, 1000, 2000}));
  EXPECT_EQ(document.picked_line, 0);
  EXPECT_FALSE(timeline.active());
}

TEST_F(TimelineDragTest, OneUndoStepPerDragAndNoneForAPlainClick) {
  open_lines({{1000, 2000, "a", 0}, {3000, 4000, "b", 0}});
  drag(3500, {});  // a click on a body: nothing moves
  EXPECT_EQ(document.undo_steps(), 0u);
  EXPECT_FALSE(document.dirty());
  EXPECT_EQ(document.picked_line, 1);
  drag(3500, {3600, 3700, 3800, 3900, 4100});
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1000, 2000, 3600, 4600}));
  EXPECT_EQ(document.undo_steps(), 1u);
  EXPECT_TRUE(document.dirty());
  EXPECT_TRUE(clip().edited);
  document.undo();
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1000, 2000, 3000, 4000}));
}

TEST_F(TimelineDragTest, DoubleClicksAddALineInAnEmptySpotOrPlayALine) {
  open_lines({{4200, 6000, "later", 2}});
  EXPECT_TRUE(timeline.press(at(4000), hit_at(4000), true, true));
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{4000, 4300, 4200, 6000}));
  EXPECT_EQ(document.picked_line, 0);
  EXPECT_FALSE(timeline.active());
  // Outside the lines band a double-click only scrubs.
  EXPECT_FALSE(timeline.press(at(8000), {}, true, false));
  EXPECT_EQ(timeline.mode(), DragMode::scrub);
  timeline.release();
  EXPECT_EQ(clip().lines.size(), 2u);
  // On a line's body: play it from its start, no drag.
  player.calls.clear();
  EXPECT_FALSE(timeline.press(at(5000), hit_at(5000), true, true));
  EXPECT_EQ(player.calls, (std::vector<std::string>{"play@4200"}));
  EXPECT_FALSE(timeline.active());
}

TEST_F(TimelineDragTest, AScrubPausesAndResumesFromWhereItEnded) {
  open_lines({});
  player.is_playing = true;
  timeline.press(at(5000), {}, false, false);
  timeline.hold(at(5004), false);  // under half a pixel (5 ms): not heard again
  timeline.hold(at(6000), false);
  timeline.hold(at(-300), false);  // clamped to 0
  timeline.release();
  EXPECT_EQ(player.calls, (std::vector<std::string>{"pause", "scrub@5000", "scrub@6000", "scrub@0", "play@0"}));
  // A scrub that began paused stays paused.
  player.calls.clear();
  player.is_playing = false;
  timeline.press(at(2000), {}, false, false);
  timeline.release();
  EXPECT_EQ(player.calls, (std::vector<std::string>{"pause", "scrub@2000"}));
}

TEST_F(TimelineDragTest, BoundsThatCrossLetTheLowerOneWin) {
  // Touching lines of 50 and 70 ms: the boundary can't keep both 100 long.
  open_lines({{1000, 1050, "a", 0}, {1050, 1120, "b", 0}});
  drag(1050, {1300});
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1000, 1100, 1100, 1120}));
  // A start edge of a line shorter than 100 ms stays at 0.
  EXPECT_EQ(dragged_start(500, 60), 0);
  EXPECT_EQ(dragged_end(200, 9000, 8950), 9100);
  EXPECT_EQ(dragged_boundary(1300, 1000, 1120), 1100);
  EXPECT_EQ(clamp_low_wins(5, 10, 0), 10);
  // A line ending before it starts keeps its end at 0 or later when moved.
  EXPECT_EQ(moved_start(-400, 0, 0, -300, 9000), 300);
}

TEST_F(TimelineDragTest, TimesAtTheTopOfTheRangeAreClampedNotWrapped) {
  const int64_t top = UINT32_MAX;
  open_lines({{static_cast<uint32_t>(top - 300), static_cast<uint32_t>(top - 100), "last", 0}});
  auto near_top = [&](double ms) {
    return TimelineFrame{TimeAxis{0, 1000, static_cast<double>(top) - 5000, 10000}, total_span_ms(clip(), nullptr),
                         1.0f, ms};
  };
  auto drag_top = [&](double from, double to) {
    TimelineFrame f = near_top(from);
    timeline.press(f, hit_test(clip().lines, f.axis, f.axis.x_of(from), 6), false, true);
    timeline.hold(near_top(to), false);
    timeline.release();
  };
  drag_top(static_cast<double>(top - 100), static_cast<double>(top + 1000));
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{UINT32_MAX - 300, UINT32_MAX}));
  drag_top(static_cast<double>(top - 200), static_cast<double>(top + 1000));
  std::vector<uint32_t> moved = times_of(clip());
  EXPECT_GT(moved[0], UINT32_MAX - 300);
  EXPECT_EQ(moved[1], UINT32_MAX);
}

}  // namespace
}  // namespace korvix::test
