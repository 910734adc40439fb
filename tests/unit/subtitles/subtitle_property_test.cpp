// Writing is idempotent over any input: write(read(write(read(x)))) equals
// write(read(x)). The first write may change texts (tabs and breaks become
// blanks), so read(x) itself need not survive; what was written once must.
#include <gtest/gtest.h>

#include <random>

#include "subtitles/subtitle_file.h"

namespace korvix {
namespace {

class FileGenerator {
 public:
  explicit FileGenerator(uint32_t seed) : random_(seed) {}

  std::string file() {
    std::string out = pick({"korvix-subtitles 2", "korvix-subtitles 1", "korvix-subtitles 2\r"});
    out += '\n';
    int count = uniform(0, 40);
    for (int i = 0; i < count; ++i) out += line() + pick({"\n", "\n", "\n", "\r\n", "\r\r\n"});
    if (chance(4)) out += line();  // a last line without LF
    return out;
  }

 private:
  std::string line() {
    switch (uniform(0, 9)) {
      case 0:
        return prefixed("#", words());
      case 1:
        return pick({"", " ", "\t", "names", "clip", "# Lines: clip"});
      case 2:
        return prefixed("names ", join(uniform(0, 12), "|"));
      case 3:
      case 4:
        return clip_line();
      default:
        return number() + blanks() + number() + blanks() + speaker() + words();
    }
  }

  std::string clip_line() {
    std::string kind = pick({"speech", "story", "video", "talk", "", "story+edited", "+edited", "video+x", "speech+",
                             "speechspeechspeech"});
    std::string keys;
    int items = uniform(0, 4);
    for (int i = 0; i < items; ++i) {
      if (i > 0) keys += ',';
      keys += pick({"file:", "file:a.wav", "file:b\tc", "0:ff", "nocolon", ":", "7:", "1:ffffffffffffffff",
                    "4294967296:1", "3:10000000000000000", "12:00ab12cd34ef5678", ""});
      if (chance(3)) keys += std::to_string(uniform(0, 99));
    }
    return std::string("clip") + blanks() + kind + blanks() + number() + blanks() + number() + blanks() + keys +
           blanks() + words();
  }

  std::string speaker() { return pick({"", "s1 ", "s10 ", "s11 ", "s0 ", "s3", "s05 ", "s9 ", "s2  ", "s4\t"}); }

  std::string number() {
    return pick({"0", "1", "1200", "4294967295", "4294967296", "99999999999999999999", "-5", "x", "", "007"});
  }

  std::string blanks() { return pick({" ", " ", " ", "  ", "\t", ""}); }

  std::string words() {
    static const char* const pieces[] = {"a", "word", " ", "  ",       "\t",   "\r",    "|",      "s2 ", "file:",
                                         ",", "#",    ":", "\xc3\xa9", "\xff", "clip ", "names ", "1:2"};
    std::string out;
    int count = uniform(0, 8);
    for (int i = 0; i < count; ++i) out += pieces[uniform(0, std::size(pieces) - 1)];
    return out;
  }

  std::string join(int count, const char* separator) {
    std::string out;
    for (int i = 0; i < count; ++i) {
      if (i > 0) out += separator;
      out += words();
    }
    return out;
  }

  // Appending, not "literal" + string: gcc 12 warns wrongly about the latter.
  static std::string prefixed(const char* prefix, const std::string& rest) { return std::string(prefix).append(rest); }

  std::string pick(std::initializer_list<const char*> choices) {
    return *(choices.begin() + uniform(0, static_cast<int>(choices.size()) - 1));
  }
  bool chance(int one_in) { return uniform(1, one_in) == 1; }
  int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  std::mt19937 random_;
};

TEST(SubtitleProperty, WritingWhatWasReadIsIdempotent) {
  for (uint32_t seed = 1; seed <= 3000; ++seed) {
    std::string input = FileGenerator(seed).file();
    std::vector<SubtitleClip> first;
    std::string unread;  // the lines before the first clip it couldn't use
    ASSERT_TRUE(read_subtitles(input, first, nullptr, &unread)) << "seed " << seed;
    std::string once = write_subtitles(first, read_header_comments(input), unread);

    std::vector<SubtitleClip> second;
    ASSERT_TRUE(read_subtitles(once, second, nullptr, &unread)) << "seed " << seed;
    std::string twice = write_subtitles(second, read_header_comments(once), unread);
    ASSERT_EQ(twice, once) << "seed " << seed << ", input:\n" << input;

    // From then on reading is the exact inverse of writing.
    std::vector<SubtitleClip> third;
    ASSERT_TRUE(read_subtitles(twice, third));
    ASSERT_EQ(third, second) << "seed " << seed;
  }
}

}  // namespace
}  // namespace korvix
