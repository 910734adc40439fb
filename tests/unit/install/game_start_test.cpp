// Starting the game: the direct-start test over every held state, and the real
// start of a program that stands in for the game.
#include <gtest/gtest.h>

#include "app/launcher_app.h"
#include "install/game_start.h"
#include "platform/game_process.h"
#include "platform/paths.h"
#include "recorder.h"

namespace korvix {
namespace {

using test::TempFolder;

TEST(DirectStart, OnlyWhenOnInstalledAndNothingHeld) {
  for (int bits = 0; bits < 16; ++bits) {
    bool direct = bits & 1, installed = bits & 2, shift = bits & 4, pad = bits & 8;
    int asked = 0;
    bool wanted = wants_direct_start(direct, installed, [&] {
      ++asked;
      return HeldAtStart{shift, pad};
    });
    SCOPED_TRACE(bits);
    EXPECT_EQ(wanted, direct && installed && !shift && !pad);
    // Keys and gamepads are only asked when they can change the answer.
    EXPECT_EQ(asked, direct && installed ? 1 : 0);
  }
}

TEST(DirectStart, TheAppAsksForAWholeInstall) {
  TempFolder temp;
  LauncherApp app;
  app.install_dir = temp / "Korvix Velarine";
  app.direct_start = true;
  auto nothing_held = [] { return HeldAtStart{}; };
  test::write_bytes(app.install_dir / "korvix.exe", "exe");
  EXPECT_FALSE(app.should_start_directly(nothing_held)) << "game\\default.xex is missing";
  test::write_bytes(app.install_dir / "game" / "default.xex", "xex");
  EXPECT_TRUE(app.should_start_directly(nothing_held));
  EXPECT_FALSE(app.should_start_directly([] { return HeldAtStart{false, true}; }));
  EXPECT_FALSE(app.should_start_directly([] { return HeldAtStart{true, false}; }));
  app.direct_start = false;
  EXPECT_FALSE(app.should_start_directly(nothing_held));
}

TEST(GameStart, AMissingGameGivesTheSystemErrorNumber) {
  TempFolder temp;
  std::string error;
  EXPECT_FALSE(start_game(temp / "korvix.exe", temp.path(), &error));
  EXPECT_EQ(error, "couldn't start the game (error 2)");
}

TEST(GameStart, TheGameRunsInItsFolderWithoutArgumentsAndIsWaitedFor) {
  TempFolder temp;
  // Blanks in both paths: the program and its folder must not be split.
  std::filesystem::path folder = temp / "Install Folder" / "with blanks";
  std::filesystem::create_directories(folder);
  std::filesystem::path game = temp / "Game Files" / ("korvix" + test::recorder_program().extension().string());
  std::filesystem::create_directories(game.parent_path());
  std::filesystem::copy_file(test::recorder_program(), game);
  std::filesystem::path record = temp / "record.txt";
  test::ScopedEnv env;
  env.set("KORVIX_RECORD_FILE", to_utf8(record));
  env.set("KORVIX_RECORD_EXIT", std::nullopt);

  unsigned long error_number = 12345;
  ASSERT_TRUE(run_game_to_end(game, folder, error_number));
  // The record exists as soon as the call returns: the game was waited for.
  std::vector<test::RecordedRun> runs = test::read_recorded_runs(record);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_TRUE(std::filesystem::equivalent(path_from_utf8(runs[0].folder), folder)) << runs[0].folder;
  EXPECT_TRUE(runs[0].arguments.empty());
}

}  // namespace
}  // namespace korvix
