#include "subtitles/subtitle_file.h"

#include <gtest/gtest.h>

#include <optional>

#include "subtitles/subtitle_samples.h"

namespace korvix {
namespace {

std::vector<SubtitleClip> read_ok(std::string_view content) {
  std::vector<SubtitleClip> clips;
  std::string error;
  EXPECT_TRUE(read_subtitles(content, clips, &error)) << error;
  return clips;
}

TEST(SubtitleReader, FailsOnlyForEmptyContentOrAForeignFirstLine) {
  struct Case {
    std::string_view content;
    const char* error;  // null: reads
  };
  const char* foreign = "not a subtitle file (or another version)";
  const Case cases[] = {
      {"", "empty file"},
      {"korvix-subtitles 2 \n", foreign},
      {" korvix-subtitles 2\n", foreign},
      {"\nkorvix-subtitles 2\n", foreign},
      {"korvix-subtitles 3\n", foreign},
      {"korvix-subtitles 2\r\r\n", foreign},
      {"korvix-subtitles 2", nullptr},
      {"korvix-subtitles 2\r\n", nullptr},
      {"korvix-subtitles 1\n", nullptr},
      {"korvix-subtitles 2\nwhatever a newer maker writes\n\n\x01\xff\nclip\n", nullptr},
  };
  for (const Case& c : cases) {
    std::vector<SubtitleClip> clips(3);
    std::string error = "unchanged";
    bool ok = read_subtitles(c.content, clips, &error);
    EXPECT_EQ(ok, c.error == nullptr) << c.content;
    EXPECT_EQ(error, c.error ? c.error : "unchanged") << c.content;
    EXPECT_TRUE(clips.empty()) << c.content;
  }
}

TEST(SubtitleReader, ClipLines) {
  struct Case {
    std::string_view line;
    std::optional<SubtitleClip> clip;  // nothing: the line is skipped
  };
  auto clip = [](ClipKind kind, bool edited, uint32_t length, uint32_t bytes, std::string file,
                 std::vector<SubtitleKey> keys, std::string source) {
    SubtitleClip c;
    c.kind = kind;
    c.edited = edited;
    c.length_ms = length;
    c.bytes = bytes;
    c.file = std::move(file);
    c.keys = std::move(keys);
    c.source = std::move(source);
    return std::optional<SubtitleClip>(std::move(c));
  };
  using enum ClipKind;
  const uint64_t all = ~0ull;
  const Case cases[] = {
      {"clip story+edited 5000 800 1:ffffffffffffffff scene 12",
       clip(story, true, 5000, 800, "", {{1, all}}, "scene 12")},
      {"clip video 10 20 file:intro.bik  movie", clip(video, false, 10, 20, "intro.bik", {}, " movie")},
      {"clip speech 1 2 3:00ab12cd34ef5678", clip(speech, false, 1, 2, "", {{3, 0x00ab12cd34ef5678}}, "")},
      {"clip speech+ 1 2 3:a s", clip(speech, false, 1, 2, "", {{3, 0xa}}, "s")},
      {"clip talk+xeditedx 1 2 3:a s", clip(speech, true, 1, 2, "", {{3, 0xa}}, "s")},
      {"clip +edited 1 2 3:a s", clip(speech, true, 1, 2, "", {{3, 0xa}}, "s")},
      {"clip   story   7\t8   9:9 s", clip(story, false, 7, 8, "", {{9, 9}}, "s")},
      // Key items: id 0 and items without a colon are dropped, the last file wins,
      // "file:" alone is an empty file.
      {"clip speech 1 2 0:12,abc,file:a.wav,7:1F,file:b.wav,5:ff s",
       clip(speech, false, 1, 2, "b.wav", {{7, 0x1f}, {5, 0xff}}, "s")},
      {"clip speech 1 2 file:,4:1 s", clip(speech, false, 1, 2, "", {{4, 1}}, "s")},
      {"clip speech 1 2 file: two words", clip(speech, false, 1, 2, "", {}, "two words")},
      // Numbers at the edge of their range, and beyond it.
      {"clip speech 4294967295 4294967295 4294967295:ffffffffffffffff s",
       clip(speech, false, 4294967295u, 4294967295u, "", {{4294967295u, all}}, "s")},
      {"clip speech 1 2 4294967296:1,2:10000000000000000,3:1 s", clip(speech, false, 1, 2, "", {{3, 1}}, "s")},
      {"clip speech 4294967296 2 3:a s", std::nullopt},
      {"clip speech 1 99999999999999999999999 3:a s", std::nullopt},
      {"clip speech -1 2 3:a s", std::nullopt},
      {"clip speech 1 x 3:a s", std::nullopt},
      {"clip speech 1", std::nullopt},
      {"clip ", std::nullopt},
      // The kind token is read as at most 15 bytes; the rest of a longer word is no number.
      {"clip speechspeechspeech 1 2 3:a s", std::nullopt},
  };
  for (const Case& c : cases) {
    std::string content = "korvix-subtitles 2\n" + std::string(c.line) + "\n";
    std::vector<SubtitleClip> clips = read_ok(content);
    if (!c.clip) {
      EXPECT_TRUE(clips.empty()) << c.line;
      continue;
    }
    ASSERT_EQ(clips.size(), 1u) << c.line;
    EXPECT_EQ(clips[0], *c.clip) << c.line;
  }
}

TEST(SubtitleReader, LineLines) {
  struct Case {
    std::string_view line;
    std::optional<SubtitleLine> read;  // nothing: not read
  };
  auto line = [](uint32_t start, uint32_t end, int32_t speaker, std::string text) {
    return std::optional<SubtitleLine>(SubtitleLine{start, end, std::move(text), speaker});
  };
  const Case cases[] = {
      {"1200 3400 s2 hello there", line(1200, 3400, 1, "hello there")},
      {"1 2 s10 x", line(1, 2, 9, "x")},
      {"1 2 s11 x", line(1, 2, 0, "s11 x")},
      {"1 2 s0 x", line(1, 2, 0, "s0 x")},
      {"1 2 s05 x", line(1, 2, 0, "s05 x")},
      {"1 2 s1x", line(1, 2, 0, "s1x")},
      {"1 2 s3", line(1, 2, 0, "s3")},
      {"1 2 s10", line(1, 2, 0, "s10")},
      {"1 2 s1  two\tblanks ", line(1, 2, 0, " two\tblanks ")},
      {"  5\t 6    words", line(5, 6, 0, "words")},
      {"3000 1000 s1 ends before it starts", line(3000, 1000, 0, "ends before it starts")},
      {"4294967295 4294967295 s1 x", line(4294967295u, 4294967295u, 0, "x")},
      {"1 2 s3 ", std::nullopt},
      {"1 2 ", std::nullopt},
      {"1 2", std::nullopt},
      {"4294967296 5 s1 x", std::nullopt},
      {"5 18446744073709551621 s1 x", std::nullopt},
      {"-1 2 s1 x", std::nullopt},
      {"1 x s1 y", std::nullopt},
      {"names", std::nullopt},
  };
  for (const Case& c : cases) {
    std::string content = "korvix-subtitles 2\nclip speech 1 2 3:a s\n" + std::string(c.line) + "\n";
    std::vector<SubtitleClip> clips = read_ok(content);
    ASSERT_EQ(clips.size(), 1u);
    if (!c.read) {
      EXPECT_TRUE(clips[0].lines.empty()) << c.line;
      continue;
    }
    ASSERT_EQ(clips[0].lines.size(), 1u) << c.line;
    EXPECT_EQ(clips[0].lines[0], *c.read) << c.line;
  }
}

TEST(SubtitleReader, NamesLinesSetTheirFieldsInOrder) {
  using Names = std::array<std::string, speaker_count_max>;
  struct Case {
    std::string_view lines;
    Names names;
  };
  const Case cases[] = {
      {"names Ann||Bob\n", {"Ann", "", "Bob"}},
      {"names a|b|c|d|e|f|g|h|i|j|k|l\n", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}},
      // Names beyond the last field keep their value; a trailing bar is one more, empty field.
      {"names a|b|c\nnames z\n", {"z", "b", "c"}},
      {"names a|b|c\nnames z|\n", {"z", "", "c"}},
      {"names a|b\r\n", {"a", "b"}},
      {"names\n", {}},
  };
  for (const Case& c : cases) {
    std::vector<SubtitleClip> clips = read_ok("korvix-subtitles 2\nclip speech 1 2 3:a s\n" + std::string(c.lines));
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].names, c.names) << c.lines;
  }
}

TEST(SubtitleReader, HeaderCommentsAreTheHashLinesRightAfterTheHeader) {
  struct Case {
    std::string_view content;
    std::string_view comments;
  };
  const Case cases[] = {
      {"korvix-subtitles 2\n# made by the maker\n#\n# Lines: clip old form\n# model small\nclip",
       "# made by the maker\n#\n# model small\n"},
      {"korvix-subtitles 2\r\n# one\r\n# two\r\n\r\n# after an empty line\r\n", "# one\n# two\n"},
      {"korvix-subtitles 2\nclip speech 1 2 3:a s\n# later\n", ""},
      {"korvix-subtitles 2\n#last line without LF", "#last line without LF\n"},
      {"korvix-subtitles 2", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(read_header_comments(c.content), c.comments) << c.content;
}

TEST(SubtitleWriter, WritesTheHeaderCommentsAndExplanationBeforeTheClips) {
  EXPECT_EQ(write_subtitles({}, ""), std::string("korvix-subtitles 2\n") + std::string(subtitle_lines_comment));
  EXPECT_EQ(write_subtitles({}, "# kept\n"), "korvix-subtitles 2\n# kept\n" + std::string(subtitle_lines_comment));
}

TEST(SubtitleWriter, KeepsEveryClipReadableAsWritten) {
  struct Case {
    SubtitleClip clip;
    std::string_view written;  // after the header and the explanation
  };
  auto make = [](auto change) {
    SubtitleClip c;
    c.source = "src";
    c.keys = {{3, 0xab}};
    change(c);
    return c;
  };
  const Case cases[] = {
      {make([](SubtitleClip& c) {
         c.lines = {{1200, 3400, "a\tb\rc\nd", 1}};
       }),
       "clip speech 0 0 3:00000000000000ab src\n1200 3400 s2 a b c d\n"},
      {make([](SubtitleClip& c) {
         c.lines = {{0, 1, "loud", 12}, {1, 2, "quiet", -4}};
       }),
       "clip speech 0 0 3:00000000000000ab src\n0 1 s10 loud\n1 2 s1 quiet\n"},
      {make([](SubtitleClip& c) {
         c.names[0] = "A|nn";
         c.names[2] = "B\tob";
         c.source = "the\tsource\n";
       }),
       "clip speech 0 0 3:00000000000000ab the source \nnames Ann||B ob|||||||\n"},
      {make([](SubtitleClip& c) {
         c.kind = ClipKind::video;
         c.edited = true;
         c.file = "intro.bik";
         c.keys = {{1, ~0ull}, {4294967295u, 0}};
         c.length_ms = 4294967295u;
         c.bytes = 12;
       }),
       "clip video+edited 4294967295 12 file:intro.bik,1:ffffffffffffffff,4294967295:0000000000000000 src\n"},
      // Without a file or a key the field is "file:", so the source isn't taken for it.
      {make([](SubtitleClip& c) {
         c.kind = ClipKind::story;
         c.keys.clear();
         c.source = "scene 12";
       }),
       "clip story 0 0 file: scene 12\n"},
  };
  for (const Case& c : cases) {
    std::string written = write_subtitles({c.clip}, "");
    std::string prefix = "korvix-subtitles 2\n" + std::string(subtitle_lines_comment);
    ASSERT_TRUE(written.starts_with(prefix));
    EXPECT_EQ(written.substr(prefix.size()), c.written);
  }
}

TEST(SubtitleWriter, AKeylessClipReadsBackWhole) {
  SubtitleClip clip;
  clip.source = "scene 12 take 2";
  clip.lines = {{0, 900, "words", 0}};
  std::vector<SubtitleClip> back = read_ok(write_subtitles({clip}, ""));
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0], clip);
}

TEST(SubtitleRoundTrip, TheWritersOwnFileIsReadAndWrittenByteForByte) {
  const std::string file = sample_subtitle_file();
  std::vector<SubtitleClip> clips = read_ok(file);
  ASSERT_EQ(clips.size(), 5u);
  EXPECT_EQ(write_subtitles(clips, read_header_comments(file)), file);

  // Spot checks that the reading really took the parts apart.
  EXPECT_EQ(clips[0].names[1], "Mara");
  EXPECT_EQ(clips[1].kind, ClipKind::story);
  EXPECT_TRUE(clips[1].edited);
  EXPECT_EQ(clips[2].file, "movies/intro.bik");
  EXPECT_EQ(clips[2].keys.size(), 2u);
  EXPECT_EQ(clips[3].lines[0].speaker, 9);
  EXPECT_EQ(clips[4].keys.size(), 0u);
  EXPECT_EQ(clips[4].source, "loose take 3");

  // The same file with CR LF line ends reads to the same clips and comments.
  std::string crlf;
  for (char c : file) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(read_ok(crlf), clips);
  EXPECT_EQ(read_header_comments(crlf), read_header_comments(file));
  EXPECT_EQ(write_subtitles(read_ok(crlf), read_header_comments(crlf)), file);
}

}  // namespace
}  // namespace korvix
