// The timeline driven the way a player drives it: the real editor screen in
// an interface frame, with the mouse and the keyboard put in between frames.
#include <gtest/gtest.h>

#include "harness/interaction_harness.h"
#include "subtitles/editor/draw_editor.h"
#include "subtitles/editor/editor_test_support.h"
#include "subtitles/editor/subtitle_editor.h"

namespace korvix::test {
namespace {

class TimelineScreenTest : public ::testing::Test {
 protected:
  // One clip 9 s long and without sound: the timeline shows 0 .. 9 s.
  void SetUp() override {
    write_bytes(
        subtitle_file_path(install.path()),
        write_subtitles(
            {clip_of("vo/dock/mira", {{1000, 3000, "first", 0}, {3000, 5000, "second", 1}, {6000, 7000, "third", 0}})},
            ""));
    std::string error;
    ASSERT_TRUE(editor.open(install.path(), install / "sources", error)) << error;
    // Past the delayed fetch: its message ("no sound to play") moves the pane
    // down a row, so the timeline stays where the test finds it.
    ui.wait(0.5);
  }

  const SubtitleClip& clip() const { return *editor.document.selected(); }
  ImRect timeline() const { return ui.get("##timeline").rect; }
  // A time's place in the middle of the lines band (1.2 s below the top, 2.2 s high).
  ImVec2 at(double ms, float dx = 0) const {
    ImRect r = timeline();
    double x = r.Min.x + ms / editor.document.view_width_ms * r.GetWidth() -
               editor.document.view_start_ms / editor.document.view_width_ms * r.GetWidth();
    return ImVec2(static_cast<float>(x) + dx, r.Min.y + 17 * (1.2f + 1.1f));
  }

  TempFolder install;
  SubtitleEditor editor;
  InteractionHarness ui{
      1280, 760, [this] { draw_editor(editor, editor.document.view.text_scale, ImGui::GetIO().Fonts->Fonts[0]); }};
};

TEST_F(TimelineScreenTest, EdgesAndLinesSnapAndCtrlZUndoesAWholeDrag) {
  ASSERT_DOUBLE_EQ(editor.document.view_width_ms, 9000) << "a clip's view fits it";
  // The third line's start, dropped 4 px after the second's end: it snaps there.
  ui.drag(at(6000), at(5000, 4));
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1000, 3000, 3000, 5000, 5000, 7000}));
  EXPECT_EQ(editor.document.picked_line, 2);
  EXPECT_EQ(editor.document.undo_steps(), 1u);

  // The first line moved by its body: its start lands 3 px after the
  // playhead, and snaps onto it; the line keeps its length. (The edge drag
  // scrubbed the playhead to 5 s.)
  EXPECT_DOUBLE_EQ(editor.document.playhead_ms, 5000);
  editor.document.playhead_ms = 0;
  ui.drag(at(2000), at(1000, 3));
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{0, 2000, 3000, 5000, 5000, 7000}));
  EXPECT_EQ(editor.document.undo_steps(), 2u);

  // One Ctrl+Z takes back the whole move, however many frames it took.
  ui.key(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1000, 3000, 3000, 5000, 5000, 7000}));
  ui.key(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1000, 3000, 3000, 5000, 6000, 7000}));

  // A plain click on a line picks it and leaves no undo step.
  ui.click(at(4000));
  EXPECT_EQ(editor.document.picked_line, 1);
  EXPECT_EQ(editor.document.undo_steps(), 0u);
}

TEST_F(TimelineScreenTest, ADoubleClickInAnEmptySpotAddsALineThere) {
  ui.double_click(at(8000));
  ASSERT_EQ(clip().lines.size(), 4u);
  const SubtitleLine& added = clip().lines[3];
  EXPECT_NEAR(added.start_ms, 8000.0, 15.0);
  EXPECT_EQ(added.end_ms, added.start_ms + 2000);
  EXPECT_EQ(editor.document.picked_line, 3);
  EXPECT_TRUE(editor.document.dirty());
  // The first click of it scrubbed there.
  EXPECT_NEAR(editor.document.playhead_ms, 8000.0, 15.0);
}

TEST_F(TimelineScreenTest, TheWheelZoomsAboutThePointerAndShiftPans) {
  ImVec2 pointer = at(4500);
  ui.move_to(pointer);
  ui.wheel(1);
  EXPECT_NEAR(editor.document.view_width_ms, 7200, 1e-6);
  const ImRect r = timeline();
  double under = editor.document.view_start_ms + (pointer.x - r.Min.x) / r.GetWidth() * 7200;
  EXPECT_NEAR(under, 4500, 1.0);
  // A horizontal wheel pans by 12 % of the view per notch.
  double start = editor.document.view_start_ms;
  ui.wheel(0, -1);
  EXPECT_NEAR(editor.document.view_start_ms, start + 0.12 * 7200, 1e-6);
}

}  // namespace
}  // namespace korvix::test
