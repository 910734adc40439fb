// Which drive roots the disc-image search opens on Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "platform/drive_roots_win32.h"
#include "platform/volumes.h"

namespace korvix {
namespace {

TEST(DriveRootsWin32, NetworkDrivesAndLettersWithoutARootAreLeftOut) {
  // A disconnected network drive blocks start-up for many seconds; a letter
  // without a root has nothing to search. A and B are never asked.
  std::map<wchar_t, unsigned> types = {
      {L'A', DRIVE_REMOVABLE}, {L'B', DRIVE_REMOVABLE},   {L'C', DRIVE_FIXED},     {L'D', DRIVE_CDROM},
      {L'E', DRIVE_REMOTE},    {L'F', DRIVE_NO_ROOT_DIR}, {L'G', DRIVE_REMOVABLE}, {L'H', DRIVE_RAMDISK},
      {L'I', DRIVE_UNKNOWN},   {L'Z', DRIVE_FIXED},
  };
  unsigned long present = 0;
  for (const auto& [letter, type] : types) present |= 1ul << (letter - L'A');
  present &= ~(1ul << (L'I' - L'A'));  // I: has a type but isn't present
  std::vector<std::wstring> asked;
  std::vector<std::filesystem::path> roots = searchable_drive_roots(present, [&](const std::wstring& root) {
    asked.push_back(root);
    return types.at(root[0]);
  });
  EXPECT_EQ(roots, (std::vector<std::filesystem::path>{L"C:\\", L"D:\\", L"G:\\", L"H:\\", L"Z:\\"}));
  EXPECT_EQ(asked, (std::vector<std::wstring>{L"C:\\", L"D:\\", L"E:\\", L"F:\\", L"G:\\", L"H:\\", L"Z:\\"}));
}

TEST(DriveRootsWin32, TheSearchAsksForNoNoDiskDialog) {
  DWORD before = GetThreadErrorMode();
  {
    QuietDriveErrors quiet;
    EXPECT_NE(GetThreadErrorMode() & SEM_FAILCRITICALERRORS, 0u);
  }
  EXPECT_EQ(GetThreadErrorMode(), before);
}

}  // namespace
}  // namespace korvix
