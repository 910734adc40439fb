// Gestures, undo and redo.
#include <gtest/gtest.h>

#include "editor/editor_test_support.h"

namespace korvix::test {
namespace {

using EditHistory = EditorTest;

TEST_F(EditHistory, UndoAndRedoWalkBackAndForthAcrossOperations) {
  open_sample();
  const SubtitleClip original = clip();
  document.picked_line = 0;
  document.playhead_ms = 2000;
  ASSERT_TRUE(document.split_line());
  const SubtitleClip split = clip();
  ASSERT_TRUE(document.next_speaker(2));
  const SubtitleClip cycled = clip();
  ASSERT_TRUE(document.set_corrected(false));
  EXPECT_EQ(document.undo_steps(), 3u);

  document.picked_line = 2;
  document.undo();
  EXPECT_EQ(clip(), cycled);
  EXPECT_EQ(document.status, "Undone.");
  document.undo();
  EXPECT_EQ(clip(), split);
  document.undo();
  EXPECT_EQ(clip(), original);
  EXPECT_EQ(document.picked_line, 1) << "kept within the clip's lines";
  document.undo();
  EXPECT_EQ(document.status, "Nothing to undo.");
  EXPECT_EQ(clip(), original);

  document.redo();
  EXPECT_EQ(clip(), split);
  EXPECT_EQ(document.status, "Redone.");
  document.redo();
  document.redo();
  EXPECT_FALSE(clip().edited);
  document.redo();
  EXPECT_EQ(document.status, "Nothing to redo.");

  // A new edit after an undo ends the redo history.
  document.undo();
  ASSERT_TRUE(document.set_line_text(0, "new"));
  EXPECT_FALSE(document.can_redo());
}

TEST_F(EditHistory, UndoInAnotherClipSelectsItAndMarksItChanged) {
  open_sample();
  document.select_clip(1);
  ASSERT_TRUE(document.set_line_text(0, "at the pier"));
  ASSERT_TRUE(document.save());
  document.select_clip(0);
  document.picked_line = 1;

  document.undo();
  EXPECT_EQ(document.selected_clip(), 1);
  EXPECT_EQ(texts_of(clip())[0], "at the dock");
  EXPECT_EQ(document.picked_line, -1);
  EXPECT_TRUE(document.dirty());
  EXPECT_TRUE(document.clip_changed(1)) << "it differs from what was saved";
}

TEST_F(EditHistory, TwoHundredStepsAreKeptTheOldestDropped) {
  open_sample();
  for (int i = 1; i <= 201; ++i) ASSERT_TRUE(document.set_line_text(0, "edit " + std::to_string(i)));
  EXPECT_EQ(document.undo_steps(), 200u);
  for (int i = 0; i < 200; ++i) document.undo();
  EXPECT_EQ(texts_of(clip())[0], "edit 1") << "the step before the first edit is gone";
  document.undo();
  EXPECT_EQ(document.status, "Nothing to undo.");
  EXPECT_EQ(document.redo_steps(), 200u);
}

TEST_F(EditHistory, AGestureIsOneStepPushedOnlyWhenItChangedTheClip) {
  open_sample();
  document.set_line_text(0, "first");
  document.undo();
  ASSERT_TRUE(document.can_redo());
  ASSERT_TRUE(document.save());

  // Picking a line, activating a field and leaving it unchanged: the redo
  // history stays, the clip isn't marked changed, the document stays clean.
  document.begin_edit();
  EXPECT_TRUE(document.edit_open());
  document.picked_line = 1;
  EXPECT_FALSE(document.set_line_text(0, "ab cd ef gh"));
  EXPECT_FALSE(document.end_edit());
  EXPECT_TRUE(document.can_redo());
  EXPECT_FALSE(document.clip_changed(0));
  EXPECT_FALSE(document.dirty());
  EXPECT_EQ(document.undo_steps(), 0u);

  // Typing over several frames, and a drag through several times: one step each.
  document.begin_edit();
  for (const char* typed : {"a", "ab", "abc"}) document.set_line_text(1, typed);
  EXPECT_TRUE(document.end_edit());
  document.begin_edit();
  for (int64_t start : {1100, 1200, 1300}) document.set_line_span(0, start, 3000);
  EXPECT_TRUE(document.end_edit());
  EXPECT_EQ(document.undo_steps(), 2u);
  EXPECT_FALSE(document.can_redo());
  EXPECT_TRUE(document.clip_changed(0));

  document.undo();
  EXPECT_EQ(times_of(clip())[0], 1000u);
  EXPECT_EQ(texts_of(clip())[1], "abc");
  document.undo();
  EXPECT_EQ(texts_of(clip())[1], "second line");
}

TEST_F(EditHistory, UndoSaveAndAnotherClipEndTheOpenGestureFirst) {
  open_sample();
  document.begin_edit();
  document.set_line_text(0, "typed");
  document.undo();
  EXPECT_FALSE(document.edit_open());
  EXPECT_EQ(texts_of(clip())[0], "ab cd ef gh") << "the typing is undone, not lost in the gesture";
  EXPECT_TRUE(document.can_redo());

  document.begin_edit();
  document.set_line_text(0, "typed again");
  ASSERT_TRUE(document.save());
  EXPECT_FALSE(document.edit_open());
  EXPECT_EQ(document.undo_steps(), 1u);

  document.begin_edit();
  document.set_line_text(0, "and again");
  document.select_clip(1);
  EXPECT_FALSE(document.edit_open());
  EXPECT_EQ(document.undo_steps(), 2u);
  EXPECT_TRUE(document.clip_changed(0));
}

TEST_F(EditHistory, OperationsInsideAnOpenGestureJoinIt) {
  open_sample();
  document.begin_edit();
  document.picked_line = 0;
  document.playhead_ms = 2000;
  document.split_line();
  document.join_next();
  document.set_speaker(0, 4);
  document.end_edit();
  EXPECT_EQ(document.undo_steps(), 1u);
  document.undo();
  EXPECT_EQ(clip().lines[0].speaker, 0);
  EXPECT_EQ(clip().lines.size(), 2u);
}

}  // namespace
}  // namespace korvix::test
