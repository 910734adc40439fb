// The editor screen driven the way a player drives it: the real draw_editor in
// an interface frame, with the mouse and the keyboard put in between frames.
#include <gtest/gtest.h>

#include "editor/editor_test_support.h"
#include "harness/interaction_harness.h"
#include "subtitles/clip_groups.h"
#include "editor/draw_editor.h"
#include "editor/subtitle_editor.h"
#include "editor/document/editor_view.h"

namespace korvix::test {
namespace {

class EditorScreenTest : public ::testing::Test {
 protected:
  // Clips 0 to 3: "vo/dock/mira" and "vo/dock/bo" are in the group "Dock";
  // "vo/road/kai" (edited) and "movies/end" are in none.
  void SetUp() override {
    std::vector<SubtitleClip> clips = {
        clip_of("vo/dock/mira", {{0, 1800, "Tie the boat up, Bo.", 0}, {1900, 4100, "It won't hold.", 1}}),
        clip_of("vo/dock/bo", {{0, 1500, "At the dock.", 0}}),
        clip_of("vo/road/kai", {{0, 2000, "The road is long.", 0}}, true),
        clip_of("movies/end", {{1200, 5200, "Korvix, long ago.", 0}}),
    };
    clips[3].kind = ClipKind::video;
    write_bytes(subtitle_file_path(install.path()), write_subtitles(clips, ""));
    write_bytes(groups_file_path(install.path()), one_group("1 Dock", "vo/dock/mira\nvo/dock/bo\n"));
    open();
  }

  void open() {
    std::string error;
    ASSERT_TRUE(editor.open(install.path(), install / "sources", error)) << error;
    editor.document.clock = [this] { return now; };
    ui.frames(2);
  }

  std::string groups_file() const { return read_bytes(groups_file_path(install.path())); }
  // The groups file with one open or closed group.
  static std::string one_group(const char* head, const char* sources) {
    return std::string("korvix-subtitle-groups 1\ngroup ") + head + "\n" + sources + "ungrouped 1\n";
  }
  EditorView view_file() const {
    EditorView view;
    parse_view(read_bytes(view_file_path(install.path())), view);
    return view;
  }

  const DrawnItem& clip_row(int clip) { return ui.get_in_scope("##clip", clip); }
  const DrawnItem& group_row(int group) { return ui.get_in_scope("##group", group); }
  const DrawnItem& words_field(int line) { return ui.get_in_scope("##text", line); }

  double now = 100.0;
  TempFolder install;
  SubtitleEditor editor;
  InteractionHarness ui{
      1280, 760, [this] { draw_editor(editor, editor.document.view.text_scale, ImGui::GetIO().Fonts->Fonts[0]); }};
};

TEST_F(EditorScreenTest, ClipsAndGroupsAreMovedAndRenamedByMouseAndSaved) {
  // Drag the road clip onto the lower half of Bo's row: it joins the group right after Bo.
  const ImRect bo = clip_row(1).rect;
  ui.drag(clip_row(2).centre(), ImVec2(bo.GetCenter().x, bo.Max.y - 3));
  EXPECT_EQ(groups_file(), one_group("1 Dock", "vo/dock/mira\nvo/dock/bo\nvo/road/kai\n"));

  // Onto the "Not in a group" header: out of the group again.
  ui.drag(clip_row(0).centre(), ui.get("##ungrouped").centre());
  EXPECT_EQ(groups_file(), one_group("1 Dock", "vo/dock/bo\nvo/road/kai\n"));

  // Double-click renames: Escape keeps the old name, an empty name too, Enter takes a new one.
  ui.double_click(group_row(0).centre());
  ASSERT_NE(ui.find("##label"), nullptr) << "the header became the name field";
  ui.type("Harbour");
  ui.key(ImGuiKey_Escape);
  EXPECT_EQ(ui.find("##label"), nullptr);
  EXPECT_EQ(editor.document.groups.groups[0].name, "Dock");
  EXPECT_TRUE(editor.document.groups.groups[0].open) << "the double-click doesn't close the group";

  ui.double_click(group_row(0).centre());
  ui.key(ImGuiKey_Backspace);  // the name is selected: it goes
  ui.key(ImGuiKey_Enter);
  EXPECT_EQ(editor.document.groups.groups[0].name, "Dock");

  ui.double_click(group_row(0).centre());
  ui.type("Harbour");
  ui.key(ImGuiKey_Enter);
  EXPECT_EQ(groups_file(), one_group("1 Harbour", "vo/dock/bo\nvo/road/kai\n"));

  // A click closes the group: its clips leave the list.
  ui.click(group_row(0).centre());
  EXPECT_EQ(ui.find_in_scope("##clip", 1), nullptr);
  EXPECT_EQ(groups_file(), one_group("0 Harbour", "vo/dock/bo\nvo/road/kai\n"));
}

TEST_F(EditorScreenTest, TheListSplitterIsSavedWhenLetGo) {
  const float before = editor.document.view.list_width;
  const DrawnItem split = ui.get("##split");
  ui.move_to(split.centre());
  ui.press();
  for (int i = 1; i <= 4; ++i) ui.move_to(ImVec2(split.centre().x + 32.0f * i, split.centre().y));
  EXPECT_FALSE(fs::exists(view_file_path(install.path()))) << "nothing written while the mouse is held";
  ui.release();
  EXPECT_NEAR(editor.document.view.list_width, before + 128.0f / 1280.0f, 1e-4);
  EXPECT_NEAR(view_file().list_width, editor.document.view.list_width, 1e-3);
  EXPECT_GT(ui.get("##split").rect.Min.x, split.rect.Min.x + 100) << "the pane follows";
}

TEST_F(EditorScreenTest, TypingStaysTextWhileOnlyTheFirstShortcutsWorkAndUndoTakesTheEditBack) {
  editor.document.view.text_scale = 1.21f;
  ui.frames(2);
  ui.click(words_field(0).centre());
  ASSERT_TRUE(ImGui::GetIO().WantTextInput);
  ui.key(ImGuiKey_End);
  // "3" types a digit; it doesn't give the line speaker 3.
  ui.type_key(ImGuiKey_3, "3");
  EXPECT_EQ(editor.document.selected()->lines[0].text, "Tie the boat up, Bo.3");
  EXPECT_EQ(editor.document.selected()->lines[0].speaker, 0);
  // Ctrl+0 still resets the text size, and it is saved.
  ui.key(ImGuiMod_Ctrl | ImGuiKey_0);
  EXPECT_FLOAT_EQ(editor.document.view.text_scale, 1.0f);
  EXPECT_FLOAT_EQ(view_file().text_scale, 1.0f);
  // Page Down is no shortcut while typing.
  ui.key(ImGuiKey_PageDown);
  EXPECT_EQ(editor.document.selected_clip(), 0);

  // Enter leaves the field; out of it the digit is a speaker, and Ctrl+Z undoes
  // first it and then the typing.
  ui.key(ImGuiKey_Enter);
  ASSERT_FALSE(ImGui::GetIO().WantTextInput);
  ui.key(ImGuiKey_3);
  EXPECT_EQ(editor.document.selected()->lines[0].speaker, 2);
  ui.key(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(editor.document.selected()->lines[0].speaker, 0);
  ui.key(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(editor.document.selected()->lines[0].text, "Tie the boat up, Bo.");
  ui.key(ImGuiMod_Ctrl | ImGuiKey_Y);
  EXPECT_EQ(editor.document.selected()->lines[0].text, "Tie the boat up, Bo.3");
  // Ctrl+S saves; the toolbar says so.
  ui.key(ImGuiMod_Ctrl | ImGuiKey_S);
  EXPECT_FALSE(editor.document.dirty());
  EXPECT_NE(read_bytes(subtitle_file_path(install.path())).find("Bo.3"), std::string::npos);
  EXPECT_NE(ui.find("Saved###save"), nullptr);
}

TEST_F(EditorScreenTest, TextsLongerThanTheFieldsAreShownAndKeptWhole) {
  std::string long_words;
  while (long_words.size() < 1500) long_words += "word" + std::to_string(long_words.size()) + " ";
  std::string long_name(100, 'n');
  SubtitleClip clip = clip_of("vo/long", {{0, 60000, long_words, 0}, {60000, 61000, "short", 0}});
  clip.names[0] = long_name;
  write_bytes(subtitle_file_path(install.path()), write_subtitles({clip}, ""));
  fs::remove(groups_file_path(install.path()));
  open();

  // The field grows with the wrapped text: many rows, all of them there.
  EXPECT_GT(words_field(0).rect.GetHeight(), 10 * ImGui::GetTextLineHeight());

  // Copy gives the words as stored, not with the breaks of the field's rows.
  static std::string copied;
  ImGui::GetPlatformIO().Platform_SetClipboardTextFn = [](ImGuiContext*, const char* text) { copied = text; };
  ui.click(words_field(0).centre());
  for (ImGuiKeyChord key : {ImGuiMod_Ctrl | ImGuiKey_A, ImGuiMod_Ctrl | ImGuiKey_C}) ui.key(key);
  EXPECT_EQ(copied, long_words);

  // Editing the end of a long text keeps the rest of it; typing can't make it longer.
  ui.key(ImGuiMod_Ctrl | ImGuiKey_End);
  ui.key(ImGuiKey_Backspace);
  ui.key(ImGuiKey_Backspace);
  ui.type("!");
  ui.type("?");
  const std::string& text = editor.document.selected()->lines[0].text;
  EXPECT_EQ(text, long_words.substr(0, long_words.size() - 2) + "!?");
  ui.type("+");
  EXPECT_EQ(text.size(), long_words.size()) << "typing stops at the text's own length";
  ui.key(ImGuiKey_Enter);

  // The speaker's long name, drawn in its field, is saved whole with the edit.
  EXPECT_NE(ui.find("##name"), nullptr);
  ui.key(ImGuiMod_Ctrl | ImGuiKey_S);
  std::vector<SubtitleClip> saved;
  std::string error;
  ASSERT_TRUE(read_subtitles(read_bytes(subtitle_file_path(install.path())), saved, &error)) << error;
  EXPECT_EQ(saved[0].names[0], long_name);
  EXPECT_EQ(saved[0].lines[0].text, long_words.substr(0, long_words.size() - 2) + "!?");
}

TEST_F(EditorScreenTest, PageKeysStepThroughTheListedClipsOnly) {
  // Only speech: the movie (clip 3) is selected but not listed.
  editor.screen.filter = ClipFilter::riding;
  editor.document.select_clip(3);
  ui.frames(2);
  EXPECT_EQ(ui.find_in_scope("##clip", 3), nullptr);
  // The first listed clip, past the group into the ungrouped clips, nothing after the last, and back.
  const ImGuiKey keys[] = {ImGuiKey_PageDown, ImGuiKey_PageDown, ImGuiKey_PageDown, ImGuiKey_PageDown, ImGuiKey_PageUp};
  const int32_t selected[] = {0, 1, 2, 2, 1};
  for (size_t i = 0; i < std::size(keys); ++i) {
    ui.key(keys[i]);
    EXPECT_EQ(editor.document.selected_clip(), selected[i]) << "key " << i;
  }
}

TEST_F(EditorScreenTest, AListOfThousandsDrawsOnlyTheRowsOnScreenAndPageDownScrollsToThem) {
  std::vector<SubtitleClip> clips;
  std::string groups = "korvix-subtitle-groups 1\n";
  for (int g = 0; g < 20; ++g) {
    groups += "group 1 Group " + std::to_string(g) + "\n";
    for (int c = 0; c < 100; ++c) {
      std::string source = "vo/" + std::to_string(g) + "/" + std::to_string(c);
      clips.push_back(clip_of(source, {{0, 1000, "line of clip " + source, 0}}));
      groups += source + "\n";
    }
  }
  write_bytes(subtitle_file_path(install.path()), write_subtitles(clips, ""));
  write_bytes(groups_file_path(install.path()), groups + "ungrouped 1\n");
  open();

  size_t drawn = ui.find_all("##clip").size();
  EXPECT_GT(drawn, 5u);
  EXPECT_LT(drawn, 40u) << "only the rows on screen";

  // Far past the edge of the view: the list scrolls the row to 40 % of its height.
  editor.document.select_clip(1500);
  ui.frames(2);
  ui.key(ImGuiKey_PageDown);
  ASSERT_EQ(editor.document.selected_clip(), 1501);
  ui.frames(2);
  const DrawnItem* row = ui.find_in_scope("##clip", 1501);
  ASSERT_NE(row, nullptr);
  ASSERT_TRUE(row->visible());
  float share = (row->rect.GetCenter().y - row->clip.Min.y) / row->clip.GetHeight();
  EXPECT_NEAR(share, 0.4f, 0.05f);
  EXPECT_LT(ui.find_all("##clip").size(), 40u);
}

TEST_F(EditorScreenTest, CtrlHFindsStepsAndReplacesThenTheFileIsSavedWithTheReplacements) {
  std::vector<SubtitleClip> clips = {
      clip_of("vo/dock/mira", {{0, 1800, "Tie the boat up, Bo.", 0}, {1900, 4100, "Bo? Bo!", 1}}),
      clip_of("vo/dock/bo", {{0, 1500, "At the dock.", 0}}),
      clip_of("vo/road/kai", {{0, 2000, "The road is long.", 0}}),
      clip_of("movies/end", {{1200, 5200, "BO and Bo.", 0}}),
  };
  clips[1].names[0] = "Bo";
  write_bytes(subtitle_file_path(install.path()), write_subtitles(clips, ""));
  write_bytes(groups_file_path(install.path()), one_group("0 Dock", "vo/dock/mira\nvo/dock/bo\n"));
  open();

  // Ctrl+H: the row opens with the keyboard in the search; F3 works while typing there.
  ui.key(ImGuiMod_Ctrl | ImGuiKey_H);
  ASSERT_NE(ui.find("##replace"), nullptr);
  ui.type("bo");
  ASSERT_EQ(editor.screen.search, "bo");
  EXPECT_EQ(ui.find_in_scope("##clip", 2), nullptr) << "the list shows only clips with a match";
  ui.key(ImGuiKey_F3);
  ui.key(ImGuiKey_F3);
  EXPECT_EQ(editor.screen.find.current, (TextMatch{0, false, 0, 17, 2})) << "\"boat\", then \"Bo\"";
  EXPECT_EQ(editor.document.picked_line, 0);
  EXPECT_TRUE(editor.document.groups.groups[0].open) << "the step opened the clip's closed group";
  EXPECT_NE(ui.find_in_scope("##clip", 0), nullptr);

  // Whole words and names: "boat" goes, the name counts.
  ui.click(ui.get("Whole words").centre());
  ui.click(ui.get("Also speaker names").centre());
  const ClipListModel& model = editor.screen.list_model(editor.document);
  EXPECT_EQ(std::pair(model.match_total, model.clips_with_matches), std::pair(size_t{6}, size_t{3}));

  // "Replace" takes the highlighted match and steps on; "Replace all" the rest, as one step.
  ui.click(ui.get("##replace").centre());
  ui.type("Kai");
  ui.click(ui.get("Replace").centre());
  EXPECT_EQ(editor.document.clips()[0].lines[0].text, "Tie the boat up, Kai.");
  EXPECT_EQ(editor.screen.find.current, (TextMatch{0, false, 1, 0, 2}));
  ui.click(ui.get("Replace all").centre());
  EXPECT_EQ(editor.document.status, "Replaced 5 in 3 clips.");
  ui.key(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(editor.document.clips()[3].lines[0].text, "BO and Bo.");
  EXPECT_EQ(editor.document.clips()[0].lines[1].text, "Bo? Bo!");
  EXPECT_EQ(editor.document.clips()[0].lines[0].text, "Tie the boat up, Kai.") << "only the last step";
  ui.key(ImGuiMod_Ctrl | ImGuiKey_Y);
  ui.key(ImGuiMod_Ctrl | ImGuiKey_S);

  std::vector<SubtitleClip> saved;
  ASSERT_TRUE(read_subtitles(read_bytes(subtitle_file_path(install.path())), saved));
  EXPECT_EQ(texts_of(saved[0]), (std::vector<std::string>{"Tie the boat up, Kai.", "Kai? Kai!"}));
  EXPECT_EQ(saved[1].names[0], "Kai");
  EXPECT_EQ(texts_of(saved[3]), (std::vector<std::string>{"Kai and Kai."}));
  EXPECT_EQ(saved[1].source, "vo/dock/bo") << "sources are never replaced";
  EXPECT_TRUE(saved[0].edited && saved[1].edited && saved[3].edited && !saved[2].edited);
}

}  // namespace
}  // namespace korvix::test
