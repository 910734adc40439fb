// "Open the folder" starts the desktop's file manager with the folder, and says
// why when there is none.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/file_manager.h"
#include "state/state_test_support.h"
#include "support/scoped_env.h"

namespace korvix {
namespace {

TEST(FileManagerPosix, TheFolderGoesToXdgOpenAndAMissingOneIsSaid) {
  test::TempFolder temp;
  fs::path bin = temp / "bin";
  fs::path record = temp / "opened.txt";
  test::write_bytes(bin / "xdg-open", "#!/bin/sh\nprintf '%s' \"$*\" > \"" + record.string() + ".new\"\nmv \"" +
                                          record.string() + ".new\" \"" + record.string() + "\"\n");
  ::chmod((bin / "xdg-open").c_str(), 0755);
  fs::path folder = temp / "app data" / "logs";
  fs::create_directories(folder);
  {
    ScopedEnv path("PATH", bin.string() + ":/usr/bin:/bin");
    std::string error;
    ASSERT_TRUE(show_folder(folder, error)) << error;
  }
  for (int i = 0; i < 500 && !fs::exists(record); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(test::read_bytes(record), folder.string()) << "one argument, blanks and all";

  ScopedEnv path("PATH", (temp / "empty").string());
  std::string error;
  EXPECT_FALSE(show_folder(folder, error));
  EXPECT_TRUE(error.starts_with("couldn't start xdg-open (")) << error;
}

}  // namespace
}  // namespace korvix
