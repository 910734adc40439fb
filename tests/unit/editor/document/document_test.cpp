// Opening, selecting, saving and leaving the editor's document.
#include <gtest/gtest.h>

#include "editor/editor_test_support.h"
#include "platform/file_read.h"

namespace korvix::test {
namespace {

using DocumentOpen = EditorTest;

TEST_F(DocumentOpen, AFileThatIsMissingOrForeignOpensNothingAndChangesNothing) {
  open_sample();
  document.set_line_text(0, "typed");
  document.playhead_ms = 1234;
  const std::vector<SubtitleClip> before = document.clips();

  struct Case {
    const char* what;
    std::optional<std::string> content;
    std::string error;
  };
  const Case cases[] = {
      {"no file", std::nullopt, "No subtitles made yet: Make subtitles first."},
      {"an empty file", "", "empty file"},
      {"another version", "korvix-subtitles 3\nclip speech 1 2 3:a x\n", "not a subtitle file (or another version)"},
  };
  for (const Case& c : cases) {
    fs::remove(subtitle_path());
    if (c.content) write_bytes(subtitle_path(), *c.content);
    std::string error;
    EXPECT_FALSE(document.open(install.path(), install.path(), error)) << c.what;
    EXPECT_EQ(error, c.error) << c.what;
    EXPECT_EQ(document.clips(), before) << c.what;
    EXPECT_TRUE(document.dirty()) << c.what;
    EXPECT_EQ(document.playhead_ms, 1234) << c.what;
  }
}

TEST_F(DocumentOpen, ReadsTheFileTheViewTheGroupsAndTheLookAndSelectsClipZero) {
  write_bytes(view_file_path(install.path()), "zoom 1.5\nlist 0.4\n");
  write_bytes(groups_file_path(install.path()), "korvix-subtitle-groups 1\ngroup 0 Dock\nvo/dock\nungrouped 1\n");
  write_bytes(install / "korvix.toml", "subtitles_size = 140\n");
  open_sample();

  EXPECT_TRUE(document.is_open());
  EXPECT_EQ(document.clips().size(), 3u);
  EXPECT_EQ(document.selected_clip(), 0);
  EXPECT_EQ(document.picked_line, -1);
  EXPECT_FALSE(document.dirty());
  EXPECT_EQ(document.status, "");
  EXPECT_FALSE(document.can_undo() || document.can_redo());
  EXPECT_EQ(document.view, (EditorView{1.5f, 0.4f, 0.28f}));
  ASSERT_EQ(document.groups.groups.size(), 1u);
  EXPECT_EQ(document.groups.groups[0], (ClipGroup{"Dock", {"vo/dock"}, false}));
  EXPECT_EQ(document.look().get(*find_subtitle_setting("subtitles_size")), "140");
  EXPECT_EQ(document.file_path(), subtitle_path());
  EXPECT_EQ(document.maker_folder(), install / "sources");
  EXPECT_DOUBLE_EQ(document.fetch_due_at(), now + 0.2);
}

TEST_F(DocumentOpen, AFileWithoutClipsOpensWithNoneSelected) {
  open({});
  EXPECT_TRUE(document.is_open());
  EXPECT_EQ(document.selected(), nullptr);
  EXPECT_FALSE(document.split_line() || document.add_line(-1, false) || document.set_corrected(true));
  EXPECT_FALSE(document.take_due_fetch());
}

using DocumentSelection = EditorTest;

TEST_F(DocumentSelection, PickingAClipResetsThePlayheadTheViewAndTheLineAndDelaysTheFetch) {
  open_sample();
  EXPECT_EQ(media.stops, 1) << "selecting clip 0 on opening";
  now = 100.3;
  EXPECT_TRUE(document.take_due_fetch());
  EXPECT_FALSE(document.take_due_fetch()) << "once";

  document.playhead_ms = 2500;
  document.picked_line = 1;
  document.view_start_ms = 400;
  document.view_width_ms = 2000;
  document.select_clip(0);
  EXPECT_EQ(document.picked_line, 1) << "the selected clip again changes nothing";
  EXPECT_EQ(media.stops, 1);

  document.select_clip(1);
  EXPECT_EQ(document.selected_clip(), 1);
  EXPECT_EQ(media.stops, 2);
  EXPECT_EQ(document.playhead_ms, 0);
  EXPECT_EQ(document.picked_line, -1);
  EXPECT_EQ(document.view_start_ms, 0);
  EXPECT_EQ(document.view_width_ms, 0);
  now = 100.49;
  EXPECT_FALSE(document.take_due_fetch());
  // Passing quickly through the list: only the last clip's fetch comes due.
  document.select_clip(2);
  now = 100.6;
  EXPECT_FALSE(document.take_due_fetch());
  now = 100.7;
  EXPECT_TRUE(document.take_due_fetch());

  for (int invalid : {-1, 3, 99}) document.select_clip(invalid);
  EXPECT_EQ(document.selected_clip(), 2);
}

using DocumentSave = EditorTest;

TEST_F(DocumentSave, WritesTheClipsAndTheCommentsAndComesBackClean) {
  open_sample();
  ASSERT_TRUE(document.set_line_text(0, "changed words"));
  ASSERT_TRUE(document.dirty());
  ASSERT_TRUE(document.clip_changed(0));

  EXPECT_TRUE(document.save());
  EXPECT_EQ(document.status, "Saved. The game picks it up within a couple of seconds.");
  EXPECT_FALSE(document.dirty());
  EXPECT_FALSE(document.clip_changed(0));
  EXPECT_TRUE(document.can_undo()) << "the undo steps outlive a save";
  EXPECT_EQ(read_file_bytes(subtitle_path()), write_subtitles(document.clips(), "# made here\n"));
  EXPECT_EQ(texts_of(document.clips()[0])[0], "changed words");
}

TEST_F(DocumentSave, AFailedSaveKeepsEverythingAndSaysWhy) {
  open_sample();
  document.set_line_text(0, "changed words");
  // Where the subtitles folder was, a file: nothing can be written there.
  fs::remove_all(subtitle_path().parent_path());
  write_bytes(subtitle_path().parent_path(), "in the way");

  EXPECT_FALSE(document.save());
  EXPECT_EQ(document.status.rfind("Couldn't save ", 0), 0u) << document.status;
  EXPECT_TRUE(document.dirty());
  EXPECT_TRUE(document.clip_changed(0));
  EXPECT_EQ(document.undo_steps(), 1u);
}

TEST_F(DocumentSave, LinesTheReaderCouldNotUseAreCountedOnOpenAndSavedWhereTheyStood) {
  write_bytes(subtitle_path(),
              "korvix-subtitles 2\nnames Early\nclip speech 1000 0 1:1 first\n0 500 s1 one\nmood: calm\r\r\n# note\n\n"
              "600 700 s1 \nclip speechspeechspeech 1000 0 1:2 broken\nnames Ann\n500 900 s2 two\n"
              "clip video 2000 0 2:2 second\n");
  std::string error;
  ASSERT_TRUE(document.open(install.path(), install.path(), error)) << error;
  EXPECT_EQ(document.status, "5 lines of the file weren't understood; they are kept as they are.");
  ASSERT_TRUE(document.set_line_text(0, "one!"));
  ASSERT_TRUE(document.save());
  // The first clip took neither the unreadable clip's name nor its line.
  EXPECT_EQ(read_file_bytes(subtitle_path()),
            "korvix-subtitles 2\n" + std::string(subtitle_lines_comment) +
                "names Early\nclip speech+edited 1000 0 1:0000000000000001 first\n0 500 s1 one!\nmood: calm\n"
                "clip speechspeechspeech 1000 0 1:2 broken\nnames Ann\n500 900 s2 two\n"
                "clip video 2000 0 2:0000000000000002 second\n");
}

using DocumentLeave = EditorTest;

TEST_F(DocumentLeave, UnsavedChangesNeedASecondBackWithinFiveSeconds) {
  open_sample();
  document.set_line_text(0, "unsaved");
  const std::string warning = "Unsaved changes: Save, or Back again to leave without saving.";

  EXPECT_FALSE(document.try_leave());
  EXPECT_EQ(document.status, warning);
  now += 6;
  document.status.clear();
  EXPECT_FALSE(document.try_leave()) << "after 6 s the warning comes again";
  EXPECT_EQ(document.status, warning);
  EXPECT_EQ(media.closes, 0);
  now += 4.9;
  EXPECT_TRUE(document.try_leave());
  EXPECT_EQ(media.closes, 1);
  EXPECT_FALSE(document.is_open());
  EXPECT_FALSE(document.dirty()) << "the unsaved changes are dropped";
  EXPECT_TRUE(document.clips().empty());
  EXPECT_FALSE(document.can_undo());

  // The next open reads the file again.
  std::string error;
  ASSERT_TRUE(document.open(install.path(), install.path(), error));
  EXPECT_EQ(texts_of(clip())[0], "ab cd ef gh");
}

TEST_F(DocumentLeave, ACleanDocumentLeavesAtOnce) {
  open_sample();
  EXPECT_TRUE(document.try_leave());
  EXPECT_EQ(document.status, "");
  EXPECT_EQ(media.closes, 1);
}

TEST_F(DocumentLeave, TheWindowsCloseRequestHasItsOwnWarningAndWindow) {
  open_sample();
  EXPECT_TRUE(document.try_close_window()) << "nothing unsaved";
  document.set_line_text(0, "unsaved");
  EXPECT_FALSE(document.try_leave());
  EXPECT_FALSE(document.try_close_window()) << "a Back's warning doesn't count for closing";
  EXPECT_EQ(document.status, "Unsaved changes: Save, or close the window again to quit without saving.");
  now += 2;
  EXPECT_TRUE(document.try_close_window());
  EXPECT_EQ(media.closes, 0) << "quitting releases the media on its own way out";
}

TEST_F(DocumentLeave, ASaveOrAnEditAfterTheWarningBringsItBack) {
  open_sample();
  document.set_line_text(0, "unsaved");
  ASSERT_FALSE(document.try_leave());
  document.save();
  document.set_line_text(0, "changed after the save");
  EXPECT_FALSE(document.try_leave()) << "warned again, not gone";
  ASSERT_FALSE(document.try_close_window());
  document.undo();
  EXPECT_FALSE(document.try_close_window()) << "warned again, not gone";
}

using DocumentNames = EditorTest;

TEST_F(DocumentNames, KnownNamesAreEveryClipsNamesSortedAndRefreshedOnceASecond) {
  SubtitleClip a = clip_of("a", {{0, 1000, "x", 0}});
  a.names[0] = "Mira";
  a.names[3] = "Bo";
  SubtitleClip b = clip_of("b", {});
  b.names[1] = "Mira";
  b.names[2] = "mira";
  open({a, b});
  EXPECT_EQ(document.known_names(), (std::vector<std::string>{"Bo", "Mira", "mira"}));
  document.set_name(5, "Ada");
  EXPECT_EQ(document.known_names().size(), 3u) << "not before a second has passed";
  now += 1.0;
  EXPECT_EQ(document.known_names(), (std::vector<std::string>{"Ada", "Bo", "Mira", "mira"}));
}

}  // namespace
}  // namespace korvix::test
