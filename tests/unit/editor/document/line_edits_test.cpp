// Split, join, add, delete, and the lines' times and words.
#include <gtest/gtest.h>

#include "editor/editor_test_support.h"
#include "editor/document/line_rules.h"

namespace korvix::test {
namespace {

using LineEdits = EditorTest;

TEST_F(LineEdits, SplitAtThePlayhead) {
  struct Case {
    const char* what;
    std::vector<SubtitleLine> lines;
    int picked;
    double playhead;
    std::vector<uint32_t> times;
    std::vector<std::string> texts;
    int picked_after;
    const char* status;
  };
  const std::vector<SubtitleLine> four_words = {{1000, 3000, "ab cd ef gh", 2}};
  const Case cases[] = {
      {"in the middle: the space nearest the share of the words", four_words, -1, 2000,
       {1000, 2000, 2000, 3000}, {"ab cd", "ef gh"}, 1, "Split."},
      {"early: the first space", four_words, -1, 1100, {1000, 1100, 1100, 3000}, {"ab", "cd ef gh"}, 1, "Split."},
      {"a tie goes to the earlier space", {{0, 1000, "a b c", 0}}, -1, 500, {0, 500, 500, 1000}, {"a", "b c"}, 1,
       "Split."},
      {"one word: the new line has none", {{0, 1000, "word", 0}}, -1, 500, {0, 500, 500, 1000}, {"word", ""}, 1,
       "Split."},
      {"the picked line first, when the playhead is inside it",
       {{0, 4000, "outer line", 0}, {1000, 2000, "inner line", 0}}, 0, 1500,
       {0, 1500, 1500, 4000, 1000, 2000}, {"outer", "line", "inner line"}, 1, "Split."},
      {"else the last line that holds it", {{0, 4000, "outer line", 0}, {1000, 2000, "inner line", 0}}, -1, 1500,
       {0, 4000, 1000, 1500, 1500, 2000}, {"outer line", "inner", "line"}, 2, "Split."},
      {"on a start: no split", four_words, -1, 1000, {1000, 3000}, {"ab cd ef gh"}, -1,
       "Put the playhead inside the line to split."},
      {"on an end: no split", four_words, -1, 3000, {1000, 3000}, {"ab cd ef gh"}, -1,
       "Put the playhead inside the line to split."},
      {"a fraction past the start is still on it in whole milliseconds", four_words, -1, 1000.4, {1000, 3000},
       {"ab cd ef gh"}, -1, "Put the playhead inside the line to split."},
      {"a fraction into the line cuts at the whole millisecond", four_words, -1, 1001.7, {1000, 1001, 1001, 3000},
       {"ab", "cd ef gh"}, 1, "Split."},
  };
  for (const Case& c : cases) {
    SubtitleClip source = clip_of("c", {});
    source.lines = c.lines;
    open({source});
    document.picked_line = c.picked;
    document.playhead_ms = c.playhead;
    EXPECT_EQ(document.split_line(), c.picked_after >= 0) << c.what;
    EXPECT_EQ(times_of(clip()), c.times) << c.what;
    EXPECT_EQ(texts_of(clip()), c.texts) << c.what;
    EXPECT_EQ(document.picked_line, c.picked_after == -1 ? c.picked : c.picked_after) << c.what;
    EXPECT_EQ(document.status, c.status) << c.what;
    EXPECT_EQ(document.dirty(), c.picked_after >= 0) << c.what;
    for (const SubtitleLine& line : clip().lines) EXPECT_EQ(line.speaker, c.lines[0].speaker) << c.what;
  }
}

TEST_F(LineEdits, JoinNext) {
  struct Case {
    const char* what;
    std::vector<SubtitleLine> lines;
    int picked;
    std::vector<uint32_t> times;
    std::vector<std::string> texts;
    const char* status;
  };
  const Case cases[] = {
      {"two lines with words", {{1000, 2000, "one", 3}, {2500, 4000, "two", 1}}, 0, {1000, 4000}, {"one two"},
       "Joined."},
      {"empty second words: no trailing space", {{1000, 2000, "one", 3}, {2500, 4000, "", 1}}, 0, {1000, 4000},
       {"one"}, "Joined."},
      {"empty first words: no leading space", {{1000, 2000, "", 3}, {2500, 4000, "two", 1}}, 0, {1000, 4000},
       {"two"}, "Joined."},
      {"the wider times of both", {{3000, 3500, "a", 3}, {1000, 5000, "b", 1}}, 0, {1000, 5000}, {"a b"}, "Joined."},
      {"the last line has none after it", {{1000, 2000, "one", 3}, {2500, 4000, "two", 1}}, 1,
       {1000, 2000, 2500, 4000}, {"one", "two"}, "No line after it to join."},
      {"no picked line", {{1000, 2000, "one", 3}, {2500, 4000, "two", 1}}, -1, {1000, 2000, 2500, 4000},
       {"one", "two"}, "No line after it to join."},
  };
  for (const Case& c : cases) {
    SubtitleClip source = clip_of("c", {});
    source.lines = c.lines;
    // A file holds no line without words: they are emptied once open.
    for (SubtitleLine& line : source.lines) line.text = line.text.empty() ? "-" : line.text;
    open({source});
    for (size_t i = 0; i < c.lines.size(); ++i) {
      if (c.lines[i].text.empty()) document.set_line_text(static_cast<int>(i), "");
    }
    document.picked_line = c.picked;
    EXPECT_EQ(document.join_next(), std::string(c.status) == "Joined.") << c.what;
    EXPECT_EQ(times_of(clip()), c.times) << c.what;
    EXPECT_EQ(texts_of(clip()), c.texts) << c.what;
    EXPECT_EQ(clip().lines[0].speaker, 3) << c.what;
    EXPECT_EQ(document.status, c.status) << c.what;
  }
}

TEST_F(LineEdits, AddAndDelete) {
  const std::vector<SubtitleLine> lines = {{1000, 5000, "a", 2}, {5100, 6000, "b", 4}, {9000, 9500, "c", 1}};
  struct Case {
    const char* what;
    std::vector<SubtitleLine> lines;
    std::function<bool(EditorDocument&)> edit;
    std::vector<uint32_t> times;
    int picked;
    int new_speaker;  // of the new line at `picked`; -1: nothing added
  };
  const Case cases[] = {
      {"+ Add a line in an empty clip", {}, [](EditorDocument& d) { return d.add_line(-1, false); }, {0, 2000}, 0, 0},
      {"after a line, stopping at the next line but 300 ms long at least", lines,
       [](EditorDocument& d) { return d.add_line(0, false); }, {1000, 5000, 5000, 5300, 5100, 6000, 9000, 9500}, 1, 2},
      {"after a line with room: 2000 ms", lines, [](EditorDocument& d) { return d.add_line(1, false); },
       {1000, 5000, 5100, 6000, 6000, 8000, 9000, 9500}, 2, 4},
      {"up to the next line's start", lines,
       [](EditorDocument& d) {
         d.playhead_ms = 8200.9;
         return d.add_line(line_before(*d.selected(), d.playhead_ms), true);
       },
       {1000, 5000, 5100, 6000, 8200, 9000, 9000, 9500}, 2, 4},
      {"at the playhead before every line", lines,
       [](EditorDocument& d) {
         d.playhead_ms = 200;
         return d.add_line(line_before(*d.selected(), d.playhead_ms), true);
       },
       {200, 1000, 1000, 5000, 5100, 6000, 9000, 9500}, 0, 0},
      {"the timeline's double-click, in time order", lines, [](EditorDocument& d) { return d.add_line_at(7000.6); },
       {1000, 5000, 5100, 6000, 7000, 9000, 9000, 9500}, 2, 4},
      {"a double-click at 4.0 s with a line at 4.2 s", {{4200, 5000, "x", 6}},
       [](EditorDocument& d) { return d.add_line_at(4000); }, {4000, 4300, 4200, 5000}, 0, 0},
      {"delete a line", lines,
       [](EditorDocument& d) {
         d.picked_line = 2;
         return d.delete_line(1);
       },
       {1000, 5000, 9000, 9500}, 1, -1},
      {"delete the picked last line", lines,
       [](EditorDocument& d) {
         d.picked_line = 2;
         return d.delete_line(2);
       },
       {1000, 5000, 5100, 6000}, 1, -1},
      {"delete the only line", {{0, 1, "x", 0}},
       [](EditorDocument& d) {
         d.picked_line = 0;
         return d.delete_line(0);
       },
       {}, -1, -1},
  };
  for (const Case& c : cases) {
    SubtitleClip source = clip_of("c", {});
    source.lines = c.lines;
    open({source});
    EXPECT_TRUE(c.edit(document)) << c.what;
    EXPECT_EQ(times_of(clip()), c.times) << c.what;
    EXPECT_EQ(document.picked_line, c.picked) << c.what;
    if (c.new_speaker >= 0) {
      EXPECT_EQ(clip().lines[static_cast<size_t>(c.picked)].speaker, c.new_speaker) << c.what;
      EXPECT_EQ(clip().lines[static_cast<size_t>(c.picked)].text, "") << c.what;
    }
    EXPECT_TRUE(document.dirty() && clip().edited) << c.what;
  }
  EXPECT_FALSE(document.delete_line(0)) << "no line left";
  EXPECT_FALSE(document.add_line(5, false)) << "no such line";
}

TEST_F(LineEdits, TimesFromThePlayheadAndTyped) {
  struct Case {
    const char* what;
    std::function<bool(EditorDocument&)> edit;
    std::vector<uint32_t> times;  // of line 0
  };
  auto at = [](double playhead, bool start) {
    return [=](EditorDocument& d) {
      d.picked_line = 0;
      d.playhead_ms = playhead;
      return start ? d.set_start_here() : d.set_end_here();
    };
  };
  const Case cases[] = {
      {"Start here inside the line", at(1500.8, true), {1500, 3000}},
      {"Start here after the end moves the end 1.5 s on", at(3200, true), {3200, 4700}},
      {"End here after the start", at(2500.9, false), {1000, 2500}},
      {"End here before the start: 100 ms after it", at(400, false), {1000, 1100}},
      {"typed start, to the nearest millisecond", [](EditorDocument& d) { return d.set_line_start(0, 1.2346); },
       {1235, 3000}},
      {"typed end below 0 is 0", [](EditorDocument& d) { return d.set_line_end(0, -3); }, {1000, 0}},
  };
  for (const Case& c : cases) {
    open({clip_of("c", {{1000, 3000, "x", 0}, {5000, 6000, "y", 0}})});
    EXPECT_TRUE(c.edit(document)) << c.what;
    std::vector<uint32_t> times = times_of(clip());
    EXPECT_EQ(std::vector<uint32_t>(times.begin(), times.begin() + 2), c.times) << c.what;
    EXPECT_EQ(document.picked_line, 0) << c.what;
  }

  open({clip_of("c", {{1000, 3000, "x", 0}})});
  document.playhead_ms = 2000;
  EXPECT_FALSE(document.set_start_here() || document.set_end_here()) << "no picked line";
  EXPECT_FALSE(document.set_line_start(0, 1.0)) << "the same time changes nothing";
  EXPECT_FALSE(document.dirty());
}

TEST_F(LineEdits, TimesNearTheTopOfTheRangeDoNotWrap) {
  const uint32_t top = UINT32_MAX;
  open({clip_of("c", {{top - 1000, top - 500, "a", 0}, {top - 50, top, "b", 0}})});
  document.picked_line = 0;
  document.playhead_ms = top - 100.0;
  ASSERT_TRUE(document.set_end_here());
  EXPECT_EQ(clip().lines[0].end_ms, top - 100);
  document.playhead_ms = top - 20.0;
  ASSERT_TRUE(document.set_start_here());
  EXPECT_EQ(times_of(clip())[0], top - 20);
  EXPECT_EQ(times_of(clip())[1], top) << "start + 1500, clamped";

  ASSERT_TRUE(document.add_line(1, false));   // from the end of the last line: end + 2000
  ASSERT_TRUE(document.add_line_at(1e12));     // far past the range
  EXPECT_EQ(times_of(clip()), (std::vector<uint32_t>{top - 20, top, top - 50, top, top, top, top, top}));

  ASSERT_TRUE(document.set_line_span(0, int64_t{top} + 5000, -5));
  EXPECT_EQ(times_of(clip())[0], top);
  EXPECT_EQ(times_of(clip())[1], 0u);
  const std::pair<double, uint32_t> playheads[] = {{std::nan(""), 0}, {-1e300, 0}, {1e300, top}};
  for (auto [playhead, start] : playheads) {
    document.set_line_span(0, 7, 7);
    document.playhead_ms = playhead;
    document.picked_line = 0;
    ASSERT_TRUE(document.set_start_here()) << playhead;
    EXPECT_EQ(clip().lines[0].start_ms, start) << playhead;
  }
}

TEST_F(LineEdits, WordsStayOnOneLineAndTypingStopsAtTheFieldsSize) {
  const std::string long_words(1500, 'w');
  open({clip_of("c", {{0, 1000, "short", 0}, {1000, 2000, long_words, 0}})});
  ASSERT_TRUE(document.set_line_text(0, "two\nlines\tand\ra tab"));
  EXPECT_EQ(clip().lines[0].text, "two lines and a tab");
  EXPECT_EQ(document.picked_line, 0);

  ASSERT_TRUE(document.set_line_text(0, std::string(1100, 'x')));
  EXPECT_EQ(clip().lines[0].text.size(), 1023u) << "typing can't pass the field's 1024 bytes";
  ASSERT_TRUE(document.set_line_text(0, std::string(1022, 'x') + "\xC3\xA9"));
  EXPECT_EQ(clip().lines[0].text, std::string(1022, 'x')) << "never half a character";

  // A longer text from the file stays whole, and shrinks as the player deletes.
  EXPECT_FALSE(document.set_line_text(1, long_words));
  ASSERT_TRUE(document.set_line_text(1, long_words.substr(1)));
  EXPECT_EQ(clip().lines[1].text.size(), 1499u);
  EXPECT_FALSE(document.set_line_text(1, long_words + "more")) << "but doesn't grow";
  EXPECT_EQ(clip().lines[1].text.size(), 1499u);

  // Within one gesture (a field with the keyboard) what was deleted may be
  // typed again, up to the length the gesture started with.
  document.begin_edit();
  ASSERT_TRUE(document.set_line_text(1, long_words.substr(3)));
  ASSERT_TRUE(document.set_line_text(1, long_words.substr(3) + "ab"));
  EXPECT_EQ(clip().lines[1].text.size(), 1499u);
  EXPECT_FALSE(document.set_line_text(1, long_words.substr(3) + "abc"));
  document.end_edit();
}

TEST_F(LineEdits, SortingAfterADragKeepsThePickedLine) {
  open({clip_of("c", {{1000, 2000, "a", 0}, {3000, 4000, "b", 0}, {3000, 3500, "c", 0}, {5000, 6000, "d", 0}})});
  EXPECT_FALSE(document.sort_lines_by_start()) << "in order already";
  document.begin_edit();
  document.picked_line = 3;
  ASSERT_TRUE(document.set_line_span(3, 500, 1500));
  ASSERT_TRUE(document.sort_lines_by_start());
  document.end_edit();
  EXPECT_EQ(texts_of(clip()), (std::vector<std::string>{"d", "a", "b", "c"})) << "equal starts keep their order";
  EXPECT_EQ(document.picked_line, 0);
  EXPECT_EQ(document.undo_steps(), 1u);
}

}  // namespace
}  // namespace korvix::test
