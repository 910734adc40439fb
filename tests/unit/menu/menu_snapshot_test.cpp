// What a frame copies of the shared status, and the facts it draws from.
#include "menu/menu_snapshot.h"

#include <gtest/gtest.h>

#include "app/launcher_app.h"
#include "menu/menu_frame.h"
#include "state/install_record.h"
#include "state/state_test_support.h"
#include "ui/text_fit.h"

namespace korvix {
namespace {

std::string long_text(char fill, size_t size) { return "start-" + std::string(size, fill) + "-end"; }

TEST(MenuSnapshot, LongTextsAreCopiedAsFarAsAFrameShowsThem) {
  LauncherStatus status;
  const std::string megabyte = long_text('x', 1 << 20);
  status.branches.push_back(megabyte);
  status.branch_index = 2;
  status.step = megabyte;
  status.job_error = megabyte;
  status.latest_commit.message = megabyte;
  status.new_commits = {megabyte, "0123456  short"};
  status.output_tail = {"short line", megabyte};
  status.launcher_version = megabyte;
  MenuSnapshot snapshot = take_snapshot(status, LauncherStatus::Clock::now());

  for (const std::string* text :
       {&snapshot.branch, &snapshot.step, &snapshot.job_error, &snapshot.latest_commit.message,
        &snapshot.new_commits[0], &snapshot.output_tail[1], &snapshot.launcher_version}) {
    EXPECT_EQ(*text, screenful(megabyte));
    EXPECT_LT(text->size(), 64u * 1024);
  }
  EXPECT_EQ(snapshot.new_commits[1], "0123456  short");
  EXPECT_EQ(snapshot.output_tail[0], "short line");
}

TEST(MenuFacts, TheInstallIsOnTheChosenBranchByItsWholeName) {
  test::TempFolder temp;
  LauncherApp app;
  app.install_dir = temp / "install";
  // Two names that differ only where no frame shows them.
  std::string recorded = long_text('a', 50 * 1024);
  std::string other = recorded;
  other[45 * 1024] = 'b';
  ASSERT_EQ(screenful(recorded), screenful(other));
  ASSERT_TRUE(write_install_record(app.install_dir / install_record_file, {recorded, "abc", ""}));
  {
    std::lock_guard lock(app.status->mutex);
    app.status->branches = {"main", other, recorded};
    app.status->branch_index = 1;
  }
  EXPECT_FALSE(menu_facts(app, {}).on_chosen_branch);
  app.status->branch_index = 2;
  EXPECT_TRUE(menu_facts(app, {}).on_chosen_branch);
  ASSERT_TRUE(write_install_record(app.install_dir / install_record_file, {"", "abc", ""}));
  app.status->branch_index = 0;
  EXPECT_TRUE(menu_facts(app, {}).on_chosen_branch) << "a record without a branch is on any";
}

}  // namespace
}  // namespace korvix
