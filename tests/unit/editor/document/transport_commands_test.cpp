// The transport's keys and buttons over the document, with a stand-in player.
#include <gtest/gtest.h>

#include <string>

#include "editor/document/transport_commands.h"
#include "editor/editor_test_support.h"

namespace korvix::test {
namespace {

using TransportCommands = EditorTest;

TEST_F(TransportCommands, PlayPausesWhilePlayingAndPlaysOtherwise) {
  open_sample();
  document.playhead_ms = 1200;
  toggle_playing(media);
  EXPECT_TRUE(media.playing());
  toggle_playing(media);
  EXPECT_FALSE(media.playing());
  EXPECT_EQ(media.log, "play@1200 pause ");
}

TEST_F(TransportCommands, AStepIsHeardWhereItLandsNeverBeforeTheStartAndPlayingGoesOn) {
  struct Case {
    bool playing;
    double from;
    double step;
    std::string log;
  };
  const Case cases[] = {
      {false, 2000, 100, "pause scrub@2100 "},
      {false, 2000, -1000, "pause scrub@1000 "},
      {false, 50, -100, "pause scrub@0 "},
      {true, 2000, 1000, "pause scrub@3000 play@3000 "},
  };
  open_sample();
  for (const Case& c : cases) {
    media.is_playing = c.playing;
    document.playhead_ms = c.from;
    media.log.clear();
    step_playhead(document, media, c.step);
    EXPECT_EQ(media.log, c.log) << c.from << " by " << c.step;
    EXPECT_EQ(media.playing(), c.playing);
  }
}

TEST_F(TransportCommands, UpAndDownPickTheNextLineWithinTheClipAndPauseAtItsStart) {
  struct Case {
    int picked;
    int step;
    int now_picked;
  };
  const Case cases[] = {
      {-1, +1, 0}, {-1, -1, 0},                          // none picked: the first
      {0, +1, 1},  {1, -1, 0},  {1, +1, 1}, {0, -1, 0},  // never past either end
  };
  open_sample();
  const double starts[] = {1000, 3000};
  for (const Case& c : cases) {
    document.picked_line = c.picked;
    media.is_playing = true;
    media.log.clear();
    pick_line(document, media, c.step);
    EXPECT_EQ(document.picked_line, c.now_picked) << c.picked << " by " << c.step;
    EXPECT_EQ(media.log, "pause scrub@" + std::to_string(static_cast<int>(starts[c.now_picked])) + " ");
    EXPECT_FALSE(media.playing());
  }

  document.select_clip(2);
  media.log.clear();
  pick_line(document, media, +1);
  EXPECT_EQ(document.picked_line, -1) << "a clip without lines";
  EXPECT_EQ(media.log, "");
}

TEST_F(TransportCommands, AZoomedViewThatLostThePickedLineShowsItAtAFifth) {
  struct Case {
    double start;
    double width;
    double now_start;
  };
  const Case cases[] = {
      {0, 0, 0},           // the whole clip shows
      {2000, 2000, 2000},  // line 1 starts at 3000: in view
      {4000, 2000, 2600},  // before the view
      {0, 2000, 2600},     // after it
      {4000, 20000, 0},    // a fifth of the width back would be before the start
  };
  open_sample();
  for (const Case& c : cases) {
    document.picked_line = 0;
    document.view_start_ms = c.start;
    document.view_width_ms = c.width;
    pick_line(document, media, +1);
    EXPECT_EQ(document.view_start_ms, c.now_start) << c.start << " wide " << c.width;
    EXPECT_EQ(document.view_width_ms, c.width);
  }
}

}  // namespace
}  // namespace korvix::test
