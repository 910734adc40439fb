// Actions reaching the current screen's rows.
#include "app/dispatch.h"

#include <gtest/gtest.h>

#include "app/launcher_app.h"
#include "state/state_test_support.h"

namespace korvix {
namespace {

// A temporary user: a branch change saves launcher.ini.
class DispatchTest : public test::TempUser {
 protected:
  DispatchTest() { app.interface_clock = [this] { return now; }; }
  double now = 100.0;
  LauncherApp app;  // no install folder: the not-installed rows
};

TEST_F(DispatchTest, UpAndDownWrapAroundAndClearAConfirmation) {
  size_t count = app.row_list().size();
  ASSERT_GT(count, 2u);
  app.confirm_until = now + 6;
  dispatch(app, MenuAction::up);
  EXPECT_EQ(app.selected_row, static_cast<int>(count) - 1);
  EXPECT_EQ(app.confirm_until, 0.0);
  app.confirm_until = now + 6;
  dispatch(app, MenuAction::down);
  EXPECT_EQ(app.selected_row, 0);
  EXPECT_EQ(app.confirm_until, 0.0);
}

TEST_F(DispatchTest, SelectionOutOfRangeIsClampedFirst) {
  app.selected_row = 500;
  dispatch(app, MenuAction::down);
  EXPECT_EQ(app.selected_row, 0) << "clamped to the last row, then wrapped";
}

TEST_F(DispatchTest, BackDoesNothingOnTheMainMenuAndLeavesAPage) {
  dispatch(app, MenuAction::back);
  EXPECT_EQ(app.screen, screen_main);
  app.set_screen(screen_effects);
  dispatch(app, MenuAction::back);
  EXPECT_EQ(app.screen, screen_display);
  EXPECT_EQ(app.selected_row, 0);
  dispatch(app, MenuAction::back);
  EXPECT_EQ(app.screen, screen_main);
}

TEST_F(DispatchTest, WithAJobRunningOnlyStopAndItsLogAreListed) {
  {
    std::lock_guard lock(app.status->mutex);
    app.status->job_state = job_running;
  }
  EXPECT_EQ(app.row_list(), (std::vector<MenuRow>{row_stop, row_view_log}));
  dispatch(app, MenuAction::back);
  EXPECT_EQ(app.screen, screen_main);
}

TEST_F(DispatchTest, BranchStepsWrapAndArmTheDelayedCheck) {
  app.selected_row = 1;  // the not-installed list: disc image, branch, ...
  dispatch(app, MenuAction::left);
  {
    std::lock_guard lock(app.status->mutex);
    EXPECT_EQ(app.status->chosen_branch(), "experimental");
  }
  EXPECT_DOUBLE_EQ(app.recheck_at, now + 0.6);
  dispatch(app, MenuAction::accept);
  std::lock_guard lock(app.status->mutex);
  EXPECT_EQ(app.status->chosen_branch(), "main");
}

TEST_F(DispatchTest, EditorScreenIgnoresMenuActions) {
  app.screen = screen_editor;
  app.selected_row = 3;
  dispatch(app, MenuAction::down);
  dispatch(app, MenuAction::accept);
  EXPECT_EQ(app.selected_row, 3);
  EXPECT_EQ(app.screen, screen_editor);
}

}  // namespace
}  // namespace korvix
