// Speakers, their names, and "Corrected by hand".
#include <gtest/gtest.h>

#include "editor/editor_test_support.h"

namespace korvix::test {
namespace {

using SpeakerEdits = EditorTest;

std::vector<int> speakers_of(const SubtitleClip& clip) {
  std::vector<int> speakers;
  for (const SubtitleLine& line : clip.lines) speakers.push_back(line.speaker);
  return speakers;
}

TEST_F(SpeakerEdits, TheSpeakerCountComesFromLinesNamesAndTheAddedOne) {
  SubtitleClip named = clip_of("named", {{0, 1, "x", 1}});
  named.names[4] = "Oda";
  SubtitleClip far = clip_of("far", {{0, 1, "x", 42}});
  open({clip_of("empty", {}), named, far, clip_of("two", {{0, 1, "x", 0}, {1, 2, "y", 1}})});
  EXPECT_EQ(document.speaker_count(0), 1) << "no lines and no names";
  EXPECT_EQ(document.speaker_count(1), 5) << "name 5 is set";
  EXPECT_EQ(document.speaker_count(2), 10) << "a speaker out of range counts as the tenth";
  EXPECT_EQ(document.speaker_count(3), 2);

  document.select_clip(3);
  document.add_speaker();
  EXPECT_EQ(document.speaker_count(3), 3);
  document.add_speaker();
  EXPECT_EQ(document.speaker_count(3), 4);
  EXPECT_FALSE(document.dirty()) << "asking for a speaker changes no file";
  EXPECT_FALSE(document.can_undo());
  document.select_clip(0);
  EXPECT_EQ(document.speaker_count(3), 2) << "only while that clip is selected";
  document.select_clip(3);
  EXPECT_EQ(document.speaker_count(3), 4) << "until the button is pressed in another clip";
  document.select_clip(0);
  document.add_speaker();
  document.select_clip(3);
  EXPECT_EQ(document.speaker_count(3), 2);
}

TEST_F(SpeakerEdits, ClickingCyclesThroughOneMoreThanTheRestOfTheClipHas) {
  struct Case {
    const char* what;
    std::vector<int> speakers;  // of the clip's lines; the last one is clicked
    bool forward;
    std::vector<int> seen;  // its speaker after each of three clicks
  };
  const Case cases[] = {
      {"speakers 1 and 2: a speaker-2 line goes to 3, then back to 1", {0, 1, 1}, true, {2, 0, 1}},
      {"right-click goes the other way", {0, 1, 1}, false, {0, 2, 1}},
      {"a lone second speaker toggles with the first", {0, 1}, true, {0, 1, 0}},
      {"one speaker offers a second", {0, 0}, true, {1, 0, 1}},
      {"ten speakers offer no eleventh", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, true, {0, 1, 2}},
  };
  for (const Case& c : cases) {
    SubtitleClip source = clip_of("c", {});
    for (int speaker : c.speakers) source.lines.push_back({0, 1, "x", speaker});
    open({source});
    int clicked = static_cast<int>(c.speakers.size()) - 1;
    std::vector<int> seen;
    for (int i = 0; i < 3; ++i) {
      EXPECT_TRUE(c.forward ? document.next_speaker(clicked) : document.previous_speaker(clicked)) << c.what;
      seen.push_back(clip().lines.back().speaker);
    }
    EXPECT_EQ(seen, c.seen) << c.what;
    EXPECT_EQ(document.undo_steps(), 3u) << c.what;
  }
}

TEST_F(SpeakerEdits, NumberKeysSetASpeakerOnlyWhenItDiffers) {
  open({clip_of("c", {{0, 1, "x", 2}, {1, 2, "y", 0}})});
  EXPECT_FALSE(document.set_speaker(0, 2)) << "speaker 3 on a speaker-3 line";
  EXPECT_FALSE(document.dirty());
  EXPECT_FALSE(document.can_undo());
  EXPECT_FALSE(document.set_speaker(0, 10) || document.set_speaker(0, -1) || document.set_speaker(7, 1));
  EXPECT_TRUE(document.set_speaker(1, 9)) << "key 0 is speaker 10";
  EXPECT_EQ(speakers_of(clip()), (std::vector<int>{2, 9}));
  EXPECT_TRUE(document.dirty() && clip().edited);
}

TEST_F(SpeakerEdits, Names) {
  SubtitleClip source = clip_of("c", {{0, 1, "x", 0}});
  source.names[2] = std::string(80, 'n');
  open({source});

  ASSERT_TRUE(document.set_name(0, "Ann\t|the|\nfirst|"));
  EXPECT_EQ(clip().names[0], "Ann the first") << "on one line, without the file's separator";
  ASSERT_TRUE(document.set_name(1, std::string(70, 'b')));
  EXPECT_EQ(clip().names[1].size(), 63u) << "the field holds 63 bytes";
  EXPECT_FALSE(document.set_name(2, std::string(80, 'n') + "x")) << "a longer name from the file doesn't grow";
  ASSERT_TRUE(document.set_name(2, std::string(79, 'n')));
  ASSERT_TRUE(document.choose_name(3, std::string(70, 'c') + "|"));
  EXPECT_EQ(clip().names[3], std::string(70, 'c')) << "a chosen name is taken whole";
  ASSERT_TRUE(document.clear_name(0));
  EXPECT_EQ(clip().names[0], "");
  EXPECT_FALSE(document.clear_name(0));
  EXPECT_FALSE(document.set_name(10, "x") || document.set_name(-1, "x"));
  EXPECT_EQ(document.undo_steps(), 5u);
  EXPECT_EQ(document.speaker_count(0), 4);
}

TEST_F(SpeakerEdits, CorrectedByHandIsTheOnlyWayToClearEdited) {
  open({clip_of("c", {{0, 1, "x", 0}}, true)});
  EXPECT_FALSE(document.set_corrected(true));
  ASSERT_TRUE(document.set_corrected(false));
  EXPECT_FALSE(clip().edited);
  EXPECT_TRUE(document.dirty());
  ASSERT_TRUE(document.set_line_text(0, "y"));
  EXPECT_TRUE(clip().edited) << "every other edit sets it";
  document.undo();
  document.undo();
  EXPECT_TRUE(clip().edited) << "undo puts back what the step held";
}

}  // namespace
}  // namespace korvix::test
