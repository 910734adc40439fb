// Whole-file reads: every byte of a readable file, nothing at all otherwise.
#include "platform/file_read.h"

#include <gtest/gtest.h>

#include <fstream>

#include "state/state_test_support.h"

namespace korvix {
namespace {

TEST(ReadFileBytes, AllBytesOrNothing) {
  test::TempFolder folder;
  std::string large(200 * 1024 + 7, '\0');
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 31 % 256);
  test::write_bytes(folder / "large", large);
  test::write_bytes(folder / "empty", "");
  test::write_bytes(folder / "crlf", "a\r\nb\r\n\x1A tail");
  EXPECT_EQ(read_file_bytes(folder / "large"), large);
  EXPECT_EQ(read_file_bytes(folder / "empty"), std::string());
  EXPECT_EQ(read_file_bytes(folder / "crlf"), std::string("a\r\nb\r\n\x1A tail")) << "binary: no text-mode end";

  EXPECT_EQ(read_file_bytes(folder / "missing"), std::nullopt);
  // A folder opens on some systems, and every read of it fails: not an empty file.
  fs::create_directories(folder / "folder");
  EXPECT_EQ(read_file_bytes(folder / "folder"), std::nullopt);
}

TEST(ReadFileBytes, ALimitReadsTheStartOfALongerFile) {
  test::TempFolder folder;
  test::write_bytes(folder / "record", "branch=main\ncommit=abc\n");
  EXPECT_EQ(read_file_bytes(folder / "record", 7), "branch=");
  EXPECT_EQ(read_file_bytes(folder / "record", 24), "branch=main\ncommit=abc\n");
  EXPECT_EQ(read_file_bytes(folder / "record", 1000), "branch=main\ncommit=abc\n");
  EXPECT_EQ(read_file_bytes(folder / "record", 0), std::string());
}

}  // namespace
}  // namespace korvix
