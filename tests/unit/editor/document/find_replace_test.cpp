// Find and replace: the matching and replacing rules, stepping from match to
// match, and "Replace all" as one undo step of many clips.
#include <gtest/gtest.h>

#include "editor/editor_test_support.h"
#include "editor/document/clip_find.h"
#include "editor/screen/clip_list_model.h"
#include "editor/screen/editor_screen.h"
#include "editor/document/typed_text.h"

namespace korvix::test {
namespace {

constexpr FindOptions any_case{};
constexpr FindOptions match_case{true, false, false};
constexpr FindOptions whole_words{false, true, false};
constexpr FindOptions with_names{false, false, true};

TEST(FindReplace, MatchingAndReplacingRules) {
  const std::string near_limit(words_max_bytes - 3, 'x');
  const std::string over_limit(words_max_bytes + 10, 'x');
  const std::string e_acute = "\xc3\xa9";
  struct Case {
    std::string words;
    std::string name;  // speaker 1's
    std::string search;
    FindOptions options;
    std::string with;
    size_t count;  // what the list counts
    size_t replaced;
    std::string words_after;
    std::string name_after;
    size_t lines_left = 0;
    size_t names_left = 0;
  };
  const Case cases[] = {
      // ASCII letters fold unless the case must match; other bytes only match themselves.
      {"Bo, BO and bo.", "", "bo", any_case, "Kai", 3, 3, "Kai, Kai and Kai.", ""},
      {"Bo, BO and bo.", "", "Bo", match_case, "Kai", 1, 1, "Kai, BO and bo.", ""},
      {"ULM met Ulm", "", "ulm", any_case, "Orm", 2, 2, "Orm met Orm", ""},  // at both ends of the text
      {"\xc3\x89lan or \xc3\xa9lan", "", "\xc3\xa9LAN", any_case, "x", 1, 1, "\xc3\x89lan or x", ""},
      // Whole words: bounded by anything but letters, digits and bytes of multi-byte characters.
      {"Bo Bob bo-bo Bo2 (Bo)", "", "bo", whole_words, "K", 4, 4, "K Bob K-K Bo2 (K)", ""},
      {"Bo" + e_acute + " " + e_acute + "bo Bo", "", "bo", whole_words, "K", 1, 1,
       "Bo" + e_acute + " " + e_acute + "bo K", ""},
      // A match never starts or ends inside a multi-byte character.
      {"caf\xc3\xa9", "", "caf\xc3", any_case, "x", 0, 0, "caf\xc3\xa9", ""},
      {"caf\xc3\xa9", "", "\xa9", any_case, "x", 0, 0, "caf\xc3\xa9", ""},
      // Matches don't overlap, and what a replacement puts in isn't searched again.
      {"aaaaa", "", "aa", any_case, "a", 2, 2, "aaa", ""},
      {"Bo", "", "bo", any_case, "BoBo", 1, 1, "BoBo", ""},
      // Putting in the same words isn't counted as a replacement.
      {"Bo bo", "", "bo", any_case, "Bo", 2, 1, "Bo Bo", ""},
      // An empty search finds and replaces nothing.
      {"Bo", "Bo", "", with_names, "x", 0, 0, "Bo", "Bo"},
      // Names count and change only when asked; a tab stays out of the words, a bar out of names.
      {"Bo waits.", "Bo", "bo", any_case, "K\tK", 1, 1, "K K waits.", "Bo"},
      {"Bo waits.", "Bo", "bo", with_names, "K|K", 2, 2, "K|K waits.", "KK"},
      // A text that would pass its field's limit stays; the others change.
      {near_limit + " Bo", "Bo", "bo", with_names, "Bob", 2, 1, near_limit + " Bo", "Bob", 1, 0},
      {"Bo", "Bo!", "bo", with_names, std::string(name_max_bytes, 'n'), 2, 1, std::string(name_max_bytes, 'n'), "Bo!",
       0, 1},
      // A text already longer than its limit (read from the file) may shrink, not grow.
      {over_limit + " Bo", "", "bo", any_case, "K", 1, 1, over_limit + " K", ""},
      {over_limit + " Bo", "", "bo", any_case, "Kai", 1, 0, over_limit + " Bo", "", 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words.substr(0, 40) + " / " + c.search);
    SubtitleClip clip = clip_of("vo/a", {{0, 1000, c.words, 0}});
    clip.names[0] = c.name;
    const TextFinder finder(c.search, c.options);
    EXPECT_EQ(count_in_clip(clip, finder), c.count);
    ReplaceCount done = replace_in_clip(clip, finder, c.with);
    EXPECT_EQ(clip.lines[0].text, c.words_after);
    EXPECT_EQ(clip.names[0], c.name_after);
    EXPECT_EQ(done.replaced, c.replaced);
    EXPECT_EQ(std::pair(done.lines_left, done.names_left), std::pair(c.lines_left, c.names_left));
  }
}

TEST(FindReplace, StepsGoThroughTheListedClipsNamesFirstAndWrap) {
  std::vector<SubtitleClip> clips = {clip_of("c0", {{0, 1, "bo", 0}}), clip_of("c1", {{0, 1, "x", 0}}),
                                     clip_of("c2", {{0, 1, "bo bo", 0}, {1, 2, "bo", 0}})};
  clips[2].names[1] = "Bo";
  const std::vector<int32_t> order = {2, 1};  // clip 0 is not listed
  const TextFinder finder("bo", with_names);
  auto step = [&](std::optional<TextMatch> from, int32_t selected, int direction) {
    std::optional<TextMatch> to = step_match(clips, order, finder, from, selected, direction);
    return to ? (to->in_name ? "n" : "l") + std::to_string(to->field) + "@" + std::to_string(to->start) : "none";
  };
  EXPECT_EQ(step(std::nullopt, 0, +1), "n1@0") << "from the list's start: the name first";
  EXPECT_EQ(step(std::nullopt, 0, -1), "l1@0") << "backward: the list's last match";
  EXPECT_EQ(step(TextMatch{2, false, 0, 0, 2}, 2, +1), "l0@3");
  EXPECT_EQ(step(TextMatch{2, false, 1, 0, 2}, 2, +1), "n1@0") << "past the last, around to the first";
  EXPECT_EQ(step(TextMatch{2, false, 0, 3, 2}, 2, -1), "l0@0");
  // A place that no longer matches is searched from where it was.
  EXPECT_EQ(step(TextMatch{2, false, 0, 3, 0}, 2, +1), "l0@3");
  clips[2] = clips[1];
  EXPECT_EQ(step(std::nullopt, 2, +1), "none");
}

TEST(FindReplace, TheListFollowsTheOptionsAndCountsWordsAndNamesOnly) {
  std::vector<SubtitleClip> clips = {clip_of("vo/bo", {{0, 1, "nothing", 0}}), clip_of("a", {{0, 1, "Bob and bo", 0}}),
                                     clip_of("b", {{0, 1, "x", 0}}), clip_of("c", {{0, 1, "BO", 0}})};
  clips[2].names[0] = "Bo";
  ClipGroups groups;
  groups.groups.push_back({"Closed", {"c"}, false});
  struct Case {
    FindOptions options;
    std::vector<int32_t> listed;  // every listed clip, in the list's order, closed groups too
    std::vector<uint32_t> counts;
  };
  const Case cases[] = {
      // The source lists clip 0 but is never counted; a name counts only when asked.
      {any_case, {3, 0, 1}, {0, 2, 0, 1}},
      {match_case, {0, 1}, {0, 1, 0, 0}},
      {whole_words, {3, 0, 1}, {0, 1, 0, 1}},
      {with_names, {3, 0, 1, 2}, {0, 2, 1, 1}},
  };
  for (const Case& c : cases) {
    ClipListModel model = build_clip_list(clips, groups, ClipFilter::all, "bo", c.options);
    EXPECT_EQ(model.listed_order, c.listed);
    EXPECT_EQ(model.match_counts, c.counts);
    std::vector<int32_t> drawn = c.listed;
    std::erase(drawn, 3);
    EXPECT_EQ(model.visible_order, drawn) << "clip 3 is in a closed group";
  }
}

using ReplaceAll = EditorTest;

TEST_F(ReplaceAll, TheCountFollowsEditsAndReplaceAllAndAOneMatchReplaceKeepsItsLimit) {
  open({clip_of("a", {{0, 1000, "Bo", 0}}), clip_of("b", {{0, 1000, "bo bo", 0}}), clip_of("c", {})});
  ClipListCache list;
  auto count = [&] {
    const ClipListModel& model = list.get(document, ClipFilter::all, "bo", any_case);
    return std::pair(model.match_total, model.clips_with_matches);
  };
  EXPECT_EQ(count(), std::pair(size_t{3}, size_t{2}));
  ASSERT_TRUE(document.set_line_text(0, "Bo, Bo"));
  EXPECT_EQ(count(), std::pair(size_t{4}, size_t{2})) << "typing in the selected clip";
  const uint64_t builds = list.builds();
  document.replace_all({0, 1}, TextFinder("bo", any_case), "Kai");
  EXPECT_EQ(count(), std::pair(size_t{0}, size_t{0})) << "after changes to many clips";
  document.undo();
  EXPECT_EQ(count(), std::pair(size_t{4}, size_t{2}));
  EXPECT_EQ(list.builds(), builds + 2);

  // One match: a words field full to its limit keeps its words and says why.
  document.select_clip(1);
  const TextFinder finder("bo", any_case);
  ASSERT_TRUE(document.set_line_text(0, std::string(words_max_bytes - 5, 'x') + " bo"));
  EXPECT_FALSE(document.replace_match({1, false, 0, words_max_bytes - 4, 2}, finder, "Bobby"));
  EXPECT_EQ(document.status, "Left the line as it was: the words would pass 1023 bytes.");
  const size_t steps = document.undo_steps();
  EXPECT_TRUE(document.replace_match({1, false, 0, words_max_bytes - 4, 2}, finder, "Bob"));
  EXPECT_EQ(document.undo_steps(), steps + 1);
  EXPECT_FALSE(document.replace_match({1, false, 0, 0, 2}, finder, "K")) << "no match there any more";
}

TEST_F(ReplaceAll, IsOneStepOfManyClipsThroughTheLimitUndoRedoAndSave) {
  open({clip_of("a", {{0, 1000, "Bo said bo.", 0}}), clip_of("b", {{0, 1000, "Nothing here.", 0}}),
        clip_of("c", {{0, 1000, "Ask Bo", 0}, {1000, 2000, "BO!", 0}}), clip_of("d", {})});
  document.select_clip(3);
  const std::vector<SubtitleClip> before = document.clips();
  ReplaceCount count = document.replace_all({0, 1, 2}, TextFinder("bo", any_case), "Kai");
  EXPECT_EQ(std::pair(count.replaced, count.clips), std::pair(size_t{4}, size_t{2}));
  EXPECT_EQ(document.status, "Replaced 4 in 2 clips.");
  const std::vector<SubtitleClip> after = document.clips();
  EXPECT_EQ(texts_of(after[2]), (std::vector<std::string>{"Ask Kai", "Kai!"}));
  EXPECT_TRUE(after[0].edited && after[2].edited && !after[1].edited) << "changed clips are corrected by hand";
  EXPECT_TRUE(document.clip_changed(0) && document.clip_changed(2) && !document.clip_changed(1));
  EXPECT_EQ(document.undo_steps(), 1u);

  // Saved, then 199 edits elsewhere: the step is still one of the 200.
  ASSERT_TRUE(document.save());
  document.select_clip(1);
  for (int i = 0; i < 199; ++i) ASSERT_TRUE(document.set_line_text(0, "edit " + std::to_string(i)));
  EXPECT_EQ(document.undo_steps(), 200u);
  for (int i = 0; i < 200; ++i) document.undo();
  EXPECT_EQ(document.clips(), before) << "one undo reverted every clip it changed";
  EXPECT_EQ(document.selected_clip(), 3) << "the clip selected when it ran";
  EXPECT_TRUE(document.dirty() && document.clip_changed(0) && document.clip_changed(2));
  document.undo();
  EXPECT_EQ(document.status, "Nothing to undo.");

  document.select_clip(0);
  for (int i = 0; i < 200; ++i) document.redo();
  EXPECT_EQ(document.clips()[2], after[2]);
  EXPECT_EQ(document.clips()[0], after[0]);
  // One more edit makes 201 steps: the oldest, all of it, goes.
  ASSERT_TRUE(document.set_line_text(0, "last"));
  for (int i = 0; i < 200; ++i) document.undo();
  EXPECT_EQ(document.clips()[2], after[2]);
  EXPECT_EQ(texts_of(document.clips()[1])[0], "Nothing here.");
}

}  // namespace
}  // namespace korvix::test
