// Text that has no wide form must not stop the launcher from starting.
#include <gtest/gtest.h>

#include "app/launcher_app.h"
#include "state/folders.h"
#include "state/launcher_config.h"
#include "state_test_support.h"

namespace korvix {
namespace {

using LauncherConfigWindows = test::TempUser;

TEST_F(LauncherConfigWindows, StoredPathsThatAreNoUtf8TakeTheirDefaults) {
  test::write_bytes(config_path(), "install_dir=C:\\\xff\xfe\\games\r\nsource_dir=\xc3\r\ndirect_start=1\r\n");
  LauncherApp app;
  load_config(app, *app.status, app.install_records);
  EXPECT_EQ(app.install_dir, default_install_folder());
  EXPECT_EQ(app.source_dir, default_install_folder() / "build" / "korvixvelarine");
  EXPECT_TRUE(app.direct_start);
}

TEST_F(LauncherConfigWindows, APathWithoutAUtf8FormIsLeftOutOfTheSave) {
  LauncherApp app;
  app.install_dir = std::wstring{L'C', L':', L'\\', static_cast<wchar_t>(0xD800)};  // a lone surrogate
  app.source_dir = temp / "src";
  EXPECT_TRUE(save_config(app, *app.status));
  std::string bytes = test::read_bytes(config_path());
  EXPECT_EQ(bytes.find("install_dir="), std::string::npos);
  EXPECT_NE(bytes.find("source_dir="), std::string::npos);
}

}  // namespace
}  // namespace korvix
