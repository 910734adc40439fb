// "Open the folder" on Windows is Explorer from the Windows folder, with the folder.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/file_manager.h"
#include "platform/paths.h"

namespace korvix {
namespace {

TEST(FileManagerWin32, ExplorerFromTheWindowsFolderShowsTheFolder) {
  wchar_t windows[MAX_PATH];
  ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  std::vector<std::string> command = file_manager_command(std::filesystem::path(L"C:/Users/Ana Lí/logs"));
  ASSERT_EQ(command.size(), 2u);
  EXPECT_EQ(path_from_utf8(command[0]), std::filesystem::path(windows) / L"explorer.exe");
  EXPECT_EQ(command[1], "C:\\Users\\Ana L\xC3\xAD\\logs") << "Explorer wants backslashes";
}

}  // namespace
}  // namespace korvix
