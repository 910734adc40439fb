// The timeline driven the way a player drives it: the real editor screen in
// an interface frame, with the mouse and the keyboard put in between frames.
#include <gtest/gtest.h>

#include "harness/interaction_harness.h"
#include "editor/draw_editor.h"
#include "editor/editor_test_support.h"
#include "editor/subtitle_editor.h"

namespace korvix::test {
namespace {

class TimelineScreenTest : public ::testing::Test {
 protected:
  // One clip 9 s long and without sound: the timeline shows 0 .. 9 s.
  void SetUp() override {
    auto lines =
        clip_of("vo/dock/mira", {{1000, 3000, "first", 0}, {3000, 5000, "second", 1}, {6000, 7000, "third", 0}});
    write_bytes(subtitle_file_path(install.path()), write_subtitles({lines}, ""));
    std::string error;
    ASSERT_TRUE(editor.open(install.path(), install / "sources", error)) << error;
    // Past the delayed fetch: its message ("no sound to play") moves the pane
    // down a row, so the timeline stays where the test finds it.
    ui.wait(0.5);
  }

  const SubtitleClip& clip() const { return *editor.document.selected(); }
  // A time's place in the middle of the lines band (1.2 s below the top, 2.2 s high).
  ImVec2 at(double ms, float dx = 0) const {
    ImRect r = ui.get("##timeline").rect;
    TimeAxis axis{r.Min.x, r.GetWidth(), editor.document.view_start_ms, editor.document.view_width_ms};
    return ImVec2(static_cast<float>(axis.x_of(ms)) + dx, r.Min.y + 17 * (1.2f + 1.1f));
  }

  TempFolder install;
  SubtitleEditor editor;
  InteractionHarness ui{
      1280, 760, [this] { draw_editor(editor, editor.document.view.text_scale, ImGui::GetIO().Fonts->Fonts[0]); }};
};

TEST_F(TimelineScreenTest, DragsSnapCtrlZUndoesAWholeDragAndADoubleClickAddsALine) {
  ASSERT_DOUBLE_EQ(editor.document.view_width_ms, 9000) << "a clip's view fits it";
  // The third line's start, dropped 4 px after the second's end: it snaps
  // there, and the playhead was scrubbed along.
  ui.drag(at(6000), at(5000, 4));
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1000, 3000, 3000, 5000, 5000, 7000}));
  EXPECT_DOUBLE_EQ(editor.document.playhead_ms, 5000);

  // The first line moved by its body: its start lands 3 px after the
  // playhead, and snaps onto it; the line keeps its length.
  editor.document.playhead_ms = 0;
  ui.drag(at(2000), at(1000, 3));
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{0, 2000, 3000, 5000, 5000, 7000}));

  // One Ctrl+Z takes back the whole move, however many frames it took.
  ui.key(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1000, 3000, 3000, 5000, 5000, 7000}));
  ui.key(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{1000, 3000, 3000, 5000, 6000, 7000}));

  // A plain click on a line picks it and leaves no undo step.
  ui.click(at(4000));
  EXPECT_EQ(editor.document.picked_line, 1);
  EXPECT_EQ(editor.document.undo_steps(), 0u);

  // A double-click in an empty spot adds a picked line there; its first click scrubbed there.
  ui.double_click(at(8000));
  ASSERT_EQ(clip().lines.size(), 4u);
  EXPECT_NEAR(clip().lines[3].start_ms, 8000.0, 15.0);
  EXPECT_EQ(editor.document.picked_line, 3);
  EXPECT_NEAR(editor.document.playhead_ms, 8000.0, 15.0);
}

TEST_F(TimelineScreenTest, ADragAfterTypingIsOneUndoStepOfItsOwnAndOnlyTheTextSizeKeysWorkMeanwhile) {
  ui.click(ui.get_in_scope("##text", 0).centre());
  ui.type("!");  // no Enter: the field still holds its typing; then line 2's end
  ui.move_to(at(5000));
  ui.press();
  ui.move_to(at(5000, 50));
  for (ImGuiKeyChord key : {ImGuiMod_Ctrl | ImGuiKey_Z, ImGuiMod_Ctrl | ImGuiKey_S, ImGuiMod_Ctrl | ImGuiKey_Equal})
    ui.key(key);
  ui.move_to(at(5000, 100));
  ui.release();
  EXPECT_EQ(editor.document.undo_steps(), 2u);
  EXPECT_FLOAT_EQ(editor.document.view.text_scale, 1.1f);
  ui.key(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(clip().lines[1].end_ms, 5000u);
  EXPECT_NE(clip().lines[0].text, "first");
}

TEST_F(TimelineScreenTest, LeavingWithADragHeldEndsIt) {
  ui.move_to(at(5000));
  ui.press();
  ui.move_to(at(5000, 50));
  // The menu's Back, past its warning; the timeline is gone for a few frames.
  ASSERT_TRUE(editor.document.try_leave() || editor.document.try_leave());
  ui.release();
  ui.frames(3);
  std::string error;
  ASSERT_TRUE(editor.open(install.path(), install / "sources", error)) << error;
  ui.frames(2);
  EXPECT_FALSE(editor.timeline.drag().active());
}

TEST_F(TimelineScreenTest, TheWheelZoomsAboutThePointerAndAHorizontalWheelPans) {
  ImVec2 pointer = at(4500);
  ui.move_to(pointer);
  ui.wheel(1);
  EXPECT_NEAR(editor.document.view_width_ms, 7200, 1e-6);
  EXPECT_NEAR(at(4500).x, pointer.x, 0.2) << "the time under the pointer stays there";
  // 12 % of the view per notch.
  double start = editor.document.view_start_ms;
  ui.wheel(0, -1);
  EXPECT_NEAR(editor.document.view_start_ms, start + 0.12 * 7200, 1e-6);
}

}  // namespace
}  // namespace korvix::test
