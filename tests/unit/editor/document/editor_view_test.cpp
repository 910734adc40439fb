#include "editor/document/editor_view.h"

#include <gtest/gtest.h>

#include "platform/file_read.h"
#include "state/state_test_support.h"

namespace korvix {
namespace {

TEST(EditorViewFile, Reading) {
  struct Case {
    std::string_view content;
    EditorView view;  // read over the values 1.5, 0.4, 0.5
  };
  const Case cases[] = {
      {"zoom 1.21\r\nlist 0.35\r\npreview 0.3\r\n", {1.21f, 0.35f, 0.3f}},
      {"zoom 7", {3.0f, 0.4f, 0.5f}},
      {"list 0.05 preview 0.9", {1.5f, 0.12f, 0.75f}},
      {"zoom -2 preview 0.01", {0.5f, 0.4f, 0.08f}},
      {"colour 5 list 0.2", {1.5f, 0.2f, 0.5f}},
      {"list 0.2\nlist 0.25", {1.5f, 0.25f, 0.5f}},
      {"\tpreview\t+.6e0  zoom 2.", {2.0f, 0.4f, 0.6f}},
      {"list 0.2 zoom big preview 0.6", {1.5f, 0.2f, 0.5f}},
      {"zoom 2 list", {2.0f, 0.4f, 0.5f}},
      {"zoom nan list 0.2", {1.5f, 0.4f, 0.5f}},
      {"zoom inf", {1.5f, 0.4f, 0.5f}},
      {"zoom 1,2 list 0.2", {1.5f, 0.4f, 0.5f}},
      {"", {1.5f, 0.4f, 0.5f}},
  };
  for (const Case& c : cases) {
    EditorView view{1.5f, 0.4f, 0.5f};
    parse_view(c.content, view);
    EXPECT_EQ(view, c.view) << c.content;
  }
}

TEST(EditorViewFile, WritesCrLfInTheShortestFormAndReadsItBack) {
  EXPECT_EQ(format_view(EditorView{}), "zoom 1\r\nlist 0.3\r\npreview 0.28\r\n");
  EditorView view;
  for (int i = 0; i < 2; ++i) view.text_scale *= 1.1f;
  view.list_width = 0.123456789f;
  EXPECT_EQ(format_view(view), "zoom 1.21\r\nlist 0.123457\r\npreview 0.28\r\n");
  EditorView back;
  parse_view(format_view(view), back);
  EXPECT_NEAR(back.text_scale, view.text_scale, 1e-5);
  EXPECT_NEAR(back.list_width, view.list_width, 1e-6);
}

TEST(EditorViewStorage, SavesIntoTheWorkFolderAndAMissingFileChangesNothing) {
  test::TempFolder install;
  fs::path file = install / "subtitles" / "work" / "editor.txt";
  EditorView view{2.0f, 0.5f, 0.1f};
  load_view(file, view);
  EXPECT_EQ(view, (EditorView{2.0f, 0.5f, 0.1f}));

  save_view(file, view);
  EXPECT_EQ(read_file_bytes(file), "zoom 2\r\nlist 0.5\r\npreview 0.1\r\n");
  EditorView loaded;
  load_view(file, loaded);
  EXPECT_EQ(loaded, view);
}

}  // namespace
}  // namespace korvix
