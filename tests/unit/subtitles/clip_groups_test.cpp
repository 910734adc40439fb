#include "subtitles/clip_groups.h"

#include <gtest/gtest.h>

#include "platform/file_read.h"
#include "platform/paths.h"
#include "state/state_test_support.h"

namespace korvix {
namespace {

std::vector<SubtitleClip> clips_of(std::initializer_list<const char*> sources) {
  std::vector<SubtitleClip> clips;
  for (const char* source : sources) clips.emplace_back().source = source;
  return clips;
}

ClipGroup group(std::string name, std::vector<std::string> sources, bool open = true) {
  return ClipGroup{std::move(name), std::move(sources), open};
}

TEST(ClipGroupsFile, Reading) {
  struct Case {
    const char* what;
    std::string_view content;
    ClipGroups groups;
  };
  const std::vector<SubtitleClip> clips = clips_of({"intro", "dock", "twice", "twice", "scene 12"});
  const Case cases[] = {
      {"an example file",
       "korvix-subtitle-groups 1\ngroup 1 Intro\nintro\nscene 12\nungrouped 0\n",
       {{group("Intro", {"intro", "scene 12"})}, false}},
      {"CR LF line ends",
       "korvix-subtitle-groups 1\r\ngroup 0 Act one\r\ndock\r\n\r\nungrouped 0\r\n",
       {{group("Act one", {"dock"}, false)}, false}},
      {"group lines of every length",
       "korvix-subtitle-groups 1\ngroup 0\ngroup x Named\ngroup \ngroup 1 \ngroup 0?\n",
       {{group("", {}, false), group("Named", {}), group("", {}), group("", {}), group("", {}, false)}, true}},
      {"sources before the first group and unknown ones are dropped",
       "korvix-subtitle-groups 1\nintro\ngroup 1 G\nnot a clip\ndock\nINTRO\n",
       {{group("G", {"dock"})}, true}},
      {"a clip is taken once; two clips of a source go one to each group",
       "korvix-subtitle-groups 1\ngroup 1 A\nintro\ntwice\ngroup 1 B\nintro\ntwice\ntwice\n",
       {{group("A", {"intro", "twice"}), group("B", {"twice"})}, true}},
      {"the ungrouped line", "korvix-subtitle-groups 1\nungrouped 0\nungrouped \n", {{}, true}},
      {"the ungrouped line with another digit", "korvix-subtitle-groups 1\nungrouped 0\nungrouped x\n", {{}, true}},
      {"any version", "korvix-subtitle-groups 7\ngroup 1 G\nintro", {{group("G", {"intro"})}, true}},
      {"a header too short", "korvix-subtitle-group\ngroup 1 G\n", {}},
      {"a foreign header", "subtitle-groups 1 korvix\ngroup 1 G\n", {}},
      {"an empty file", "", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(parse_groups(c.content, clips), c.groups) << c.what;
}

TEST(ClipGroupsFile, WritesLfOnlyAndReadsBackWhatItWrote) {
  ClipGroups groups{{group("Intro", {"intro", "scene 12"}), group("", {}, false), group("Odd\r\nname", {"dock"})},
                    false};
  std::string written = format_groups(groups);
  EXPECT_EQ(written,
            "korvix-subtitle-groups 1\ngroup 1 Intro\nintro\nscene 12\ngroup 0 \ngroup 1 Odd  name\ndock\n"
            "ungrouped 0\n");
  groups.groups[2].name = "Odd  name";
  EXPECT_EQ(parse_groups(written, clips_of({"dock", "intro", "scene 12"})), groups);
}

TEST(ClipGroupsEdit, MovingAClip) {
  struct Case {
    const char* what;
    const char* source;
    int group;
    int position;
    std::vector<std::vector<std::string>> after;
  };
  // Before each move: group 0 holds a, b, c; group 1 holds d.
  const Case cases[] = {
      {"down within its group: the place counts without it", "a", 0, 2, {{"b", "a", "c"}, {"d"}}},
      {"up within its group", "c", 0, 0, {{"c", "a", "b"}, {"d"}}},
      {"to the end within its group", "a", 0, 3, {{"b", "c", "a"}, {"d"}}},
      {"into another group's front", "b", 1, 0, {{"a", "c"}, {"b", "d"}}},
      {"past the end is the end", "b", 1, 9, {{"a", "c"}, {"d", "b"}}},
      {"negative is the end", "a", 1, -1, {{"b", "c"}, {"d", "a"}}},
      {"no group takes it out", "b", -1, 0, {{"a", "c"}, {"d"}}},
      {"a group past the last takes it out", "d", 2, 0, {{"a", "b", "c"}, {}}},
      {"an ungrouped clip goes in", "e", 0, 1, {{"a", "e", "b", "c"}, {"d"}}},
  };
  for (const Case& c : cases) {
    ClipGroups groups{{group("one", {"a", "b", "c"}), group("two", {"d"})}, true};
    move_clip_to_group(groups, c.source, c.group, c.position);
    ASSERT_EQ(groups.groups.size(), 2u) << c.what;
    EXPECT_EQ(groups.groups[0].sources, c.after[0]) << c.what;
    EXPECT_EQ(groups.groups[1].sources, c.after[1]) << c.what;
  }
}

TEST(ClipGroupsEdit, ANewGroupIsNumberedAfterTheGroupsAndTakesItsClip) {
  ClipGroups groups{{group("one", {"a", "b"}, false), group("two", {}), group("three", {})}, true};
  EXPECT_EQ(new_group(groups, "b"), 3);
  EXPECT_EQ(groups.groups[3], group("Group 4", {"b"}));
  EXPECT_EQ(groups.groups[0].sources, std::vector<std::string>{"a"});
  EXPECT_EQ(new_group(groups, ""), 4);
  EXPECT_EQ(groups.groups[4], group("Group 5", {}));
}

TEST(ClipGroupsStorage, SavesAtomicallyInTheSubtitlesFolderAndLoadsBack) {
  test::TempFolder install;
  fs::path file = install / "subtitles" / "groups.txt";
  std::vector<SubtitleClip> clips = clips_of({"intro", "dock"});
  ClipGroups groups{{group("Intro", {"intro"})}, false};
  std::string status = "untouched";
  ASSERT_TRUE(save_groups(file, groups, status));
  EXPECT_EQ(status, "untouched");
  EXPECT_EQ(load_groups(file, clips), groups);

  // Saving again replaces the file by a rename: a second name of the old file
  // keeps the old bytes, where writing in place would change them.
  std::error_code linked;
  fs::create_hard_link(file, install / "held", linked);
  const std::string old_bytes = read_file_bytes(file).value();
  groups.groups[0].name = "Renamed";
  ASSERT_TRUE(save_groups(file, groups, status));
  EXPECT_EQ(load_groups(file, clips), groups);
  if (!linked) {
    EXPECT_EQ(read_file_bytes(install / "held"), old_bytes);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(install / "subtitles"), {}), 1) << "no temporary file is left";

  EXPECT_EQ(load_groups(install / "subtitles" / "missing.txt", clips), ClipGroups{});
}

TEST(ClipGroupsStorage, AFailedSaveSaysSoAndKeepsTheGroups) {
  test::TempFolder install;
  fs::path file = install / "subtitles" / "groups.txt";
  fs::create_directories(file / "in the way");
  ClipGroups groups{{group("Intro", {"intro"})}, true};
  std::string status;
  EXPECT_FALSE(save_groups(file, groups, status));
  EXPECT_EQ(status, "Couldn't save the groups (" + to_utf8(file) + ").");
  EXPECT_EQ(groups.groups[0].name, "Intro");
}

}  // namespace
}  // namespace korvix
