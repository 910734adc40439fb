// What the player's actions do to the status line and to the confirmations of
// the rows that start a long job.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "app/dispatch.h"
#include "app/launcher_app.h"
#include "install/job.h"
#include "state/state_test_support.h"

namespace korvix {
namespace {

class MenuActionsTest : public test::TempUser {
 protected:
  MenuActionsTest() {
    app.interface_clock = [this] { return now; };
    app.install_dir = temp / "home" / "Games" / "KorvixVelarine";
    app.source_dir = app.install_dir / "build" / "korvixvelarine";
  }

  void install() {
    test::write_bytes(app.install_dir / "korvix.exe", "exe");
    test::write_bytes(app.install_dir / "game" / "default.xex", "xex");
  }

  // Selects a row the way the mouse does, without up or down.
  void point_at(MenuRow row) {
    std::vector<MenuRow> rows = app.row_list();
    auto found = std::find(rows.begin(), rows.end(), row);
    ASSERT_NE(found, rows.end()) << "row " << row << " isn't listed";
    app.selected_row = static_cast<int32_t>(found - rows.begin());
  }

  int32_t job_state() {
    std::lock_guard lock(app.status->mutex);
    return app.status->job_state;
  }

  // A tool job without its script in the sources fails at once; wait for that.
  void wait_for_the_job() {
    for (int i = 0; i < 3000 && job_state() == job_running; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_NE(job_state(), job_running);
  }

  double now = 100.0;
  LauncherApp app;
};

TEST_F(MenuActionsTest, TheStatusLineTellsOfTheLastActionOnly) {
  point_at(row_build_and_install);
  dispatch(app, MenuAction::accept);
  EXPECT_EQ(app.message, "Choose the disc image first.");

  // Choosing an image is the next action: the request is answered.
  app.disc_images = {temp / "a.iso", temp / "b.iso"};
  point_at(row_disc_image);
  dispatch(app, MenuAction::right);
  EXPECT_EQ(app.disc_image_index, 1);
  EXPECT_EQ(app.message, "");

  point_at(row_build_and_install);
  app.message = "The file dialog isn't available here (no portal).";
  dispatch(app, MenuAction::accept);
  EXPECT_EQ(app.message, "") << "the build asks to be selected again instead";
  EXPECT_EQ(app.armed_row(), row_build_and_install);

  // Moving doesn't act: what was said stays until the next action.
  app.message = "Desktop shortcut made.";
  dispatch(app, MenuAction::down);
  EXPECT_EQ(app.message, "Desktop shortcut made.");
}

TEST_F(MenuActionsTest, AFailedSaveIsToldUntilASaveSucceeds) {
  install();
  // A folder where the file should be: it can be neither read nor replaced.
  fs::create_directories(app.install_dir / "korvix.toml");
  app.set_screen(screen_effects);
  dispatch(app, MenuAction::accept);
  EXPECT_EQ(app.message, "Couldn't save " + to_utf8(app.install_dir / "korvix.toml") + ".");
  dispatch(app, MenuAction::down);
  dispatch(app, MenuAction::right);
  EXPECT_EQ(app.message, "Couldn't save " + to_utf8(app.install_dir / "korvix.toml") + ".") << "failed again";

  fs::remove(app.install_dir / "korvix.toml");
  app.set_screen(screen_display);
  point_at(row_effects);
  dispatch(app, MenuAction::accept);  // the page reads the file again
  ASSERT_EQ(app.screen, screen_effects);
  app.message = "Couldn't save " + to_utf8(app.install_dir / "korvix.toml") + ".";
  dispatch(app, MenuAction::accept);
  EXPECT_EQ(app.message, "");
  EXPECT_EQ(test::read_bytes(app.install_dir / "korvix.toml"), "velarine_graphics = false\r\n");
}

TEST_F(MenuActionsTest, ASecondAcceptCountsOnlyOnTheRowThatAsked) {
  struct Accept {
    MenuRow row;
    double at;
    bool confirmed;
  };
  const Accept accepts[] = {
      {row_update, 100.0, false},         {row_upscale_textures, 101.0, false},  // arms this row instead
      {row_update, 102.0, false},                                                // and back: armed again, not confirmed
      {row_update, 103.0, true},          {row_make_subtitles, 104.0, false},
      {row_make_subtitles, 110.0, false},  // six seconds later: too late, armed anew
      {row_make_subtitles, 115.9, true},  {row_make_subtitles, 116.0, false},  // a confirmation is used once
  };
  for (const Accept& accept : accepts) {
    now = accept.at;
    EXPECT_EQ(app.confirm(accept.row), accept.confirmed) << "row " << accept.row << " at " << accept.at;
  }
}

TEST_F(MenuActionsTest, AnotherRowsAcceptArmsItAndStartsNothing) {
  install();
  point_at(row_update);
  dispatch(app, MenuAction::accept);
  ASSERT_EQ(app.armed_row(), row_update);
  now += 1;
  point_at(row_upscale_textures);
  dispatch(app, MenuAction::accept);
  EXPECT_EQ(job_state(), job_idle) << "the upscaler wasn't asked twice";
  EXPECT_EQ(app.armed_row(), row_upscale_textures);

  now += 1;
  dispatch(app, MenuAction::accept);
  EXPECT_NE(job_state(), job_idle) << "its own second accept starts it";
  EXPECT_FALSE(app.armed_row());
  wait_for_the_job();
}

TEST_F(MenuActionsTest, StartingAJobClearsTheStatusLine) {
  install();
  app.message = "Couldn't make the shortcut.";
  app.start_job(false, job_subtitle_maker);
  EXPECT_EQ(app.message, "");
  wait_for_the_job();
  app.message = "Still there.";
  {
    std::lock_guard lock(app.status->mutex);
    app.status->job_state = job_running;  // one job at a time: nothing starts
  }
  app.start_job(false, job_upscaler);
  EXPECT_EQ(app.message, "Still there.");
  std::lock_guard lock(app.status->mutex);
  app.status->job_state = job_idle;
}

}  // namespace
}  // namespace korvix
