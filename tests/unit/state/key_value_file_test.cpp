// The key-value text form: reading what people and other programs write, and
// writing bytes that are the same on every platform.
#include "state/key_value_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "state_test_support.h"

namespace korvix {
namespace {

using test::read_bytes;
using test::TempFolder;
using test::write_bytes;

TEST(KeyValueParse, LfAndCrLfLinesReadTheSame) {
  KeyValues expected{{"a", "1"}, {"b", "two words"}, {"c", ""}};
  EXPECT_EQ(parse_key_values("a=1\nb=two words\nc=\n"), expected);
  EXPECT_EQ(parse_key_values("a=1\r\nb=two words\r\nc=\r\n"), expected);
  EXPECT_EQ(parse_key_values("a=1\r\r\nb=two words  \nc="), expected) << "trailing CRs and spaces, no final line end";
}

TEST(KeyValueParse, KeyEndsAtTheFirstEqualsAndNothingElseIsTrimmed) {
  KeyValues entries = parse_key_values(" key = a=b \r\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries.begin()->first, " key ");
  EXPECT_EQ(entries.begin()->second, " a=b");
}

TEST(KeyValueParse, SkipsCommentsEmptyLinesAndLinesWithoutEquals) {
  KeyValues entries = parse_key_values("#branch=secret\n\n   \nno equals here\n  #not=a comment\nbranch=main\n");
  EXPECT_EQ(entries, (KeyValues{{"  #not", "a comment"}, {"branch", "main"}}))
      << "only a line whose first character is # is a comment";
}

TEST(KeyValueParse, ALaterKeyReplacesAnEarlierOne) {
  EXPECT_EQ(parse_key_values("branch=a\nbranch=b\nbranch=c\n"), (KeyValues{{"branch", "c"}}));
}

TEST(KeyValueParse, ByteOrderMarkIsNotPartOfTheFirstKey) {
  EXPECT_EQ(parse_key_values("\xEF\xBB\xBF"
                             "branch=main\r\n"),
            (KeyValues{{"branch", "main"}}));
}

TEST(KeyValueParse, GarbageBinaryBytesAndHugeLinesDoNotUpsetIt) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
  std::string text = garbage + "\nrepo=a/b\n" + std::string(2'000'000, 'x') + "=" + std::string(100, 'y') + "\n" +
                     std::string(1'000'000, '=') + "\n" + std::string("nul\0key=v\0v", 11) + "\n";
  KeyValues entries = parse_key_values(text);
  EXPECT_EQ(entries.at("repo"), "a/b");
  EXPECT_EQ(entries.at(std::string(2'000'000, 'x')), std::string(100, 'y'));
  EXPECT_EQ(entries.at(std::string("nul\0key", 7)), std::string("v\0v", 3));
}

TEST(KeyValueFile, WritesCrLfLinesInByteOrderOfTheKeys) {
  TempFolder temp;
  fs::path file = temp / "deep" / "er" / "launcher.ini";
  KeyValues entries{{"b", "2"}, {"a", "1"}, {"B", "upper"}, {"\xC3\xA4", "umlaut"}, {"_", "under"}};
  ASSERT_TRUE(write_ini(file, entries)) << "the folders are created";
  EXPECT_EQ(read_bytes(file), "B=upper\r\n_=under\r\na=1\r\nb=2\r\n\xC3\xA4=umlaut\r\n");
  EXPECT_EQ(read_ini(file), entries);
  EXPECT_EQ(fs::directory_iterator(file.parent_path())->path(), file) << "no temporary file is left behind";
}

TEST(KeyValueFile, AnEntryThatWouldNotReadBackIsLeftOutAndNeverInjectsLines) {
  TempFolder temp;
  fs::path file = temp / "launcher.ini";
  KeyValues entries{{"install_dir", "/games\nrepo=evil/evil"}, {"repo", "good/repo"}, {"tail", "space "}, {"#k", "v"}};
  EXPECT_FALSE(write_ini(file, entries)) << "reports that not everything was written";
  EXPECT_EQ(read_ini(file), (KeyValues{{"repo", "good/repo"}}));
  // Written first, a key that begins with a byte-order mark would lose it.
  EXPECT_FALSE(write_ini(file, {{"\xEF\xBB\xBFkey", "v"}, {"\xF0", "after it"}}));
  EXPECT_EQ(read_ini(file), (KeyValues{{"\xF0", "after it"}}));
}

TEST(KeyValueFile, MissingOrUnreadableFilesReadAsEmpty) {
  TempFolder temp;
  EXPECT_TRUE(read_ini(temp / "missing.ini").empty());
  EXPECT_TRUE(read_ini(temp.path()).empty()) << "a folder";
}

TEST(KeyValueFile, AFailedWriteLeavesTheOldFileWhole) {
  TempFolder temp;
  fs::path file = temp / "launcher.ini";
  write_bytes(file, "branch=main\r\n");
  // The target is a non-empty folder: the rename over it must fail.
  fs::path blocked = temp / "blocked.ini";
  write_bytes(blocked / "inside", "x");
  EXPECT_FALSE(write_ini(blocked, {{"a", "1"}}));
  EXPECT_EQ(read_bytes(blocked / "inside"), "x");
  // A parent that is a file: nothing can be created.
  EXPECT_FALSE(write_ini(file / "child.ini", {{"a", "1"}}));
  EXPECT_EQ(read_bytes(file), "branch=main\r\n");
  std::vector<fs::path> left;
  for (const auto& entry : fs::directory_iterator(temp.path())) left.push_back(entry.path().filename());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<fs::path>{"blocked.ini", "launcher.ini"})) << "no temporary files";
}

}  // namespace
}  // namespace korvix
