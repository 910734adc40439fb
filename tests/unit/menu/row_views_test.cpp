// Labels, value texts and colours of the menu rows, and the confirmation timing.
#include "menu/row_views.h"

#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "app/launcher_app.h"
#include "menu/menu_theme.h"

namespace korvix {
namespace {

MenuRowView view_of(const LauncherApp& app, MenuRow row, const MenuSnapshot& snapshot, const MenuFacts& facts) {
  return build_row_views(app, {row}, snapshot, facts).at(0);
}

TEST(RowTexts, ElapsedTimeAndPlural) {
  EXPECT_EQ(format_elapsed(25), "0:25");
  EXPECT_EQ(format_elapsed(3599), "59:59");
  EXPECT_EQ(format_elapsed(3600), "1:00:00");
  EXPECT_EQ(format_elapsed(3 * 3600 + 7 * 60 + 5), "3:07:05");
  EXPECT_EQ(count_of_changes(0, "new change"), "0 new changes");
  EXPECT_EQ(count_of_changes(1, "new change"), "1 new change");
  EXPECT_EQ(count_of_changes(2, "new change"), "2 new changes");
  EXPECT_EQ(count_of_changes(21, "change"), "21 changes");
}

TEST(RowTexts, LabelsThatDependOnTheInstall) {
  MenuFacts facts;
  EXPECT_EQ(row_label(row_branch, facts), "Branch");
  EXPECT_EQ(row_label(row_make_subtitles, facts), "Make subtitles");
  facts.installed = true;
  facts.subtitles_exist = true;
  EXPECT_EQ(row_label(row_branch, facts), "Update branch");
  EXPECT_EQ(row_label(row_make_subtitles, facts), "Make again");
}

class RowValueTest : public ::testing::Test {
 protected:
  RowValueTest() { app.interface_clock = [this] { return now; }; }
  double now = 50.0;
  LauncherApp app;
  MenuSnapshot snapshot;
  MenuFacts facts;
};

TEST_F(RowValueTest, DiscImageIsFramedOnlyWithTwoOrMore) {
  MenuRowView none = view_of(app, row_disc_image, snapshot, facts);
  EXPECT_EQ(none.value, "none found: select to browse");
  EXPECT_EQ(none.value_color, theme::accent);
  app.disc_images = {"/home/p/Downloads/Korvix.iso"};
  EXPECT_EQ(view_of(app, row_disc_image, snapshot, facts).value, "Korvix.iso");
  app.disc_images.push_back("/media/d/Other.ISO");
  app.disc_image_index = 1;
  EXPECT_EQ(view_of(app, row_disc_image, snapshot, facts).value, "<  Other.ISO  >");
}

TEST_F(RowValueTest, BuildRowShowsFreeSpaceOrTheConfirmation) {
  facts.free_bytes = 100ull << 30;
  MenuRowView row = view_of(app, row_build_and_install, snapshot, facts);
  EXPECT_EQ(row.value, "needs about 40 GB (100 GB free)");
  EXPECT_EQ(row.value_color, theme::dim);
  facts.free_bytes = 12ull << 30;
  EXPECT_EQ(view_of(app, row_build_and_install, snapshot, facts).value_color, theme::warning);
  facts.free_bytes = 0;  // a full disk
  EXPECT_EQ(view_of(app, row_build_and_install, snapshot, facts).value, "needs about 40 GB (0 GB free)");
  EXPECT_EQ(view_of(app, row_build_and_install, snapshot, facts).value_color, theme::warning);
  facts.free_bytes.reset();  // unknown: said by saying nothing of it
  EXPECT_EQ(view_of(app, row_build_and_install, snapshot, facts).value, "needs about 40 GB");
  EXPECT_EQ(view_of(app, row_build_and_install, snapshot, facts).value_color, theme::dim);
  facts.armed_row = row_build_and_install;
  app.original_graphics = true;
  app.subtitles_on_install = true;
  row = view_of(app, row_build_and_install, snapshot, facts);
  EXPECT_EQ(row.value, "select again: Original, subtitles");
  EXPECT_EQ(row.value_color, theme::accent);
}

TEST_F(RowValueTest, UpdateRowFollowsTheComparison) {
  snapshot.branch = "main";
  EXPECT_EQ(view_of(app, row_update, snapshot, facts).value, "");
  snapshot.check_state = check_running;
  EXPECT_EQ(view_of(app, row_update, snapshot, facts).value, "checking...");
  snapshot.check_state = check_failed;
  EXPECT_EQ(view_of(app, row_update, snapshot, facts).value, "couldn't check");
  snapshot.check_state = check_done;
  snapshot.behind_by = 0;
  EXPECT_EQ(view_of(app, row_update, snapshot, facts).value, "up to date");
  EXPECT_EQ(view_of(app, row_update, snapshot, facts).value_color, theme::success);
  snapshot.behind_by = -1;
  EXPECT_EQ(view_of(app, row_update, snapshot, facts).value, "rebuild from GitHub");
  snapshot.behind_by = 1;
  EXPECT_EQ(view_of(app, row_update, snapshot, facts).value, "1 new change");
  snapshot.behind_by = 3;
  EXPECT_EQ(view_of(app, row_update, snapshot, facts).value, "3 new changes");
  facts.on_chosen_branch = false;
  EXPECT_EQ(view_of(app, row_update, snapshot, facts).value, "switch to main");
  facts.armed_row = row_update;
  EXPECT_EQ(view_of(app, row_update, snapshot, facts).value, "select again to start");
}

TEST_F(RowValueTest, StopRowShowsKindPercentageAndElapsedTime) {
  snapshot.job_state = job_running;
  snapshot.job_is_install = true;
  snapshot.fraction = 0.42f;
  snapshot.elapsed_seconds = 25;
  MenuRowView row = view_of(app, row_stop, snapshot, facts);
  EXPECT_EQ(row.label, "Stop");
  EXPECT_EQ(row.value, "installing 42%  0:25");
  EXPECT_FLOAT_EQ(row.fraction, 0.42f);
  snapshot.fraction = -1.0f;
  snapshot.job_is_install = false;
  snapshot.job_upscaling = true;
  EXPECT_EQ(view_of(app, row_stop, snapshot, facts).value, "upscaling 0:25");
}

TEST_F(RowValueTest, LauncherUpdateStates) {
  snapshot.launcher_version = "launcher-v0.7.0";
  snapshot.launcher_update = update_available;
  EXPECT_EQ(view_of(app, row_update_launcher, snapshot, facts).value, "launcher-v0.7.0 is out: select to update");
  snapshot.launcher_update = update_downloading;
  EXPECT_EQ(view_of(app, row_update_launcher, snapshot, facts).value, "downloading launcher-v0.7.0...");
  snapshot.launcher_update = update_ready;
  EXPECT_EQ(view_of(app, row_update_launcher, snapshot, facts).value, "starting it...");
  snapshot.launcher_update = update_failed;
  snapshot.launcher_error = "download failed (curl: (6) no host)";
  MenuRowView failed = view_of(app, row_update_launcher, snapshot, facts);
  EXPECT_EQ(failed.value, "download failed (curl: (6) no host): select to try again");
  EXPECT_EQ(failed.value_color, theme::warning);
}

TEST_F(RowValueTest, OptionsShowTheirChoice) {
  EXPECT_EQ(view_of(app, row_graphics, snapshot, facts).value, "< Velarine (new effects, 60 fps) >");
  EXPECT_EQ(view_of(app, row_upscale_on_install, snapshot, facts).value, "< No >");
  EXPECT_EQ(view_of(app, row_start_directly, snapshot, facts).value, "Off");
  app.direct_start = true;
  app.upscale_on_install = true;
  EXPECT_EQ(view_of(app, row_start_directly, snapshot, facts).value, "On (hold LB / View or Shift for this)");
  EXPECT_EQ(view_of(app, row_upscale_on_install, snapshot, facts).value, "< Yes, after the build >");
  EXPECT_EQ(view_of(app, row_edit_subtitles, snapshot, facts).value, "none made yet");
}

TEST_F(RowValueTest, OnlyTheArmedRowAsksToBeSelectedAgain) {
  facts.installed = true;
  snapshot.check_state = check_done;
  snapshot.behind_by = 0;
  const std::vector<MenuRow> confirmable = {row_update, row_upscale_textures, row_make_subtitles};
  for (MenuRow armed : confirmable) {
    facts.armed_row = armed;
    for (MenuRow row : confirmable) {
      SCOPED_TRACE(testing::Message() << "armed " << armed << ", row " << row);
      EXPECT_EQ(view_of(app, row, snapshot, facts).value == "select again to start", row == armed);
    }
  }
}

TEST_F(RowValueTest, ConfirmationLastsSixSecondsAndUpClearsIt) {
  app.disc_images = {"/images/Korvix.iso"};
  std::vector<MenuRow> rows = app.row_list();
  app.selected_row = static_cast<int32_t>(std::find(rows.begin(), rows.end(), row_build_and_install) - rows.begin());
  dispatch(app, MenuAction::accept);
  EXPECT_EQ(app.armed_row(), row_build_and_install);
  EXPECT_DOUBLE_EQ(app.confirm_until, 56.0);
  now = 56.0;  // the deadline has passed: the accept arms it again
  EXPECT_FALSE(app.confirm(row_build_and_install));
  EXPECT_DOUBLE_EQ(app.confirm_until, 62.0);
  now = 61.9;
  EXPECT_TRUE(app.confirm(row_build_and_install));
  EXPECT_FALSE(app.armed_row());
  app.confirm(row_build_and_install);
  dispatch(app, MenuAction::up);
  EXPECT_FALSE(app.armed_row());
  app.confirm(row_build_and_install);
  app.set_screen(screen_main);
  EXPECT_FALSE(app.armed_row());
}

TEST_F(RowValueTest, BuildingWithoutAnImageAsksForOne) {
  std::vector<MenuRow> rows = app.row_list();
  app.selected_row = static_cast<int32_t>(std::find(rows.begin(), rows.end(), row_build_and_install) - rows.begin());
  dispatch(app, MenuAction::accept);
  EXPECT_EQ(app.message, "Choose the disc image first.");
  EXPECT_FALSE(app.armed_row());
}

}  // namespace
}  // namespace korvix
