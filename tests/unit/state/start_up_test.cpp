// Start-up reads launcher.ini, then finds the disc images, before any window;
// the checks against GitHub come after.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/launcher_app.h"
#include "state_test_support.h"

namespace korvix {
namespace {

using StartUp = test::TempUser;

TEST_F(StartUp, ReadsLauncherIniAndFindsTheImageInDownloads) {
  env.set("KORVIX_LAUNCHER_TEST_PROGRESS", std::nullopt);
  env.set("KORVIX_LAUNCHER_API_BASE", "http://127.0.0.1:9/repos/");  // the checks fail at once
  test::make_sparse_file(temp / "home" / "Downloads" / "GAME.ISO", 7 * test::gib);
  std::string ini = "branch=experimental\r\ndirect_start=1\r\ninstall_dir=" + to_utf8(temp / "games") + "\r\n";
  test::write_bytes(temp / "appdata" / "KorvixVelarine" / "launcher.ini", ini);

  LauncherApp app;
  app.start_up();

  EXPECT_TRUE(app.direct_start);
  EXPECT_EQ(app.install_dir, temp / "games");
  {
    std::lock_guard lock(app.status->mutex);
    EXPECT_EQ(app.status->chosen_branch(), "experimental");
  }
  EXPECT_EQ(app.disc_images, std::vector<fs::path>{temp / "home" / "Downloads" / "GAME.ISO"});
  EXPECT_EQ(app.disc_image_index, 0);
  EXPECT_EQ(test::read_bytes(temp / "appdata" / "KorvixVelarine" / "launcher.ini"), ini) << "start-up never saves";
  EXPECT_EQ(app.status.use_count(), 1) << "no check runs before the window shows";

  // Then the branch list and release check; let them end before the folders go.
  app.start_first_checks();
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (app.status.use_count() > 1 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(app.status.use_count(), 1);
  std::lock_guard lock(app.status->mutex);
  EXPECT_EQ(app.status->launcher_update, update_none_newer) << "a failed release check is silent";
}

}  // namespace
}  // namespace korvix
