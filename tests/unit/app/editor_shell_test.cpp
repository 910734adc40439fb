// The editor in the shell: the Edit subtitles row, Back and the window's close.
#include "app/editor_shell.h"

#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "app/launcher_app.h"
#include "editor/subtitle_editor.h"
#include "state/state_test_support.h"
#include "subtitles/subtitle_paths.h"

namespace korvix {
namespace {

class EditorShellTest : public ::testing::Test {
 protected:
  EditorShellTest() {
    app.interface_clock = [this] { return now; };
    app.editor->document.clock = [this] { return now; };
    app.install_dir = install.path();
    app.source_dir = install / "sources";
    app.set_screen(screen_subtitles);
  }
  void write_subtitles_file() const {
    test::write_bytes(subtitle_file_path(install.path()),
                      "korvix-subtitles 2\nclip speech 2000 1 1:00000000000000ab vo/intro\n0 900 s1 Hello\n");
  }

  double now = 50.0;
  test::TempFolder install;
  LauncherApp app;
};

TEST_F(EditorShellTest, EditSubtitlesOpensTheEditorOrSaysWhyNot) {
  app.message = "an older message";
  app.activate(row_edit_subtitles);
  EXPECT_EQ(app.screen, screen_subtitles);
  EXPECT_EQ(app.message, "No subtitles made yet: Make subtitles first.");

  write_subtitles_file();
  app.activate(row_edit_subtitles);
  EXPECT_EQ(app.screen, screen_editor);
  EXPECT_EQ(app.message, "");
  EXPECT_EQ(app.editor->document.clips().size(), 1u);
  EXPECT_EQ(app.editor->document.maker_folder(), install / "sources");
  EXPECT_TRUE(app.row_list().empty());
}

TEST_F(EditorShellTest, BackLeavesThroughTheUnsavedChangesWarning) {
  write_subtitles_file();
  ASSERT_TRUE(app.open_editor());
  dispatch(app, MenuAction::accept);
  dispatch(app, MenuAction::down);
  EXPECT_EQ(app.screen, screen_editor) << "only back is the menu's there";

  app.editor->document.set_line_text(0, "Hello there");
  dispatch(app, MenuAction::back);
  EXPECT_EQ(app.screen, screen_editor);
  EXPECT_EQ(app.editor->document.status, "Unsaved changes: Save, or Back again to leave without saving.");
  now += 1;
  dispatch(app, MenuAction::back);
  EXPECT_EQ(app.screen, screen_subtitles);
  EXPECT_FALSE(app.editor->document.is_open());

  ASSERT_TRUE(app.open_editor());
  app.editor->screen.find.replace_open = true;
  dispatch(app, MenuAction::back);
  EXPECT_EQ(app.screen, screen_editor) << "the replace row closes first";
  EXPECT_FALSE(app.editor->screen.find.replace_open);
  dispatch(app, MenuAction::back);
  EXPECT_EQ(app.screen, screen_subtitles) << "nothing unsaved: one Back";
}

TEST_F(EditorShellTest, ClosingTheWindowWarnsOnceWhileTheEditorHoldsUnsavedChanges) {
  EXPECT_TRUE(window_may_close(app)) << "the menu closes at once";
  write_subtitles_file();
  ASSERT_TRUE(app.open_editor());
  EXPECT_TRUE(window_may_close(app)) << "nothing unsaved";
  app.editor->document.set_line_text(0, "Hello there");
  EXPECT_FALSE(window_may_close(app));
  EXPECT_EQ(app.screen, screen_editor);
  now += 4;
  EXPECT_TRUE(window_may_close(app));
  now += 10;
  EXPECT_FALSE(window_may_close(app)) << "a new warning after the window of 5 s";
}

}  // namespace
}  // namespace korvix
