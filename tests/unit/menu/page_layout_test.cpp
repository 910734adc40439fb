// Every screen at the first window size, 1280 x 760, and at 1280 x 600: the
// status area keeps room for what it must tell, and long pages show a window
// of rows that always holds the selected one.
#include "menu/page_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/launcher_app.h"
#include "menu/banner_view.h"
#include "menu/menu_frame.h"
#include "state/state_test_support.h"

namespace korvix {
namespace {

struct Screen {
  const char* name;
  int32_t screen;
  bool installed;
  std::string message;
  MenuSnapshot snapshot;
  std::vector<std::string> must_show;  // status lines the area must place
};

MenuSnapshot behind_by_three() {
  MenuSnapshot snapshot;
  snapshot.branch = "main";
  snapshot.launcher_update = update_available;
  snapshot.launcher_version = "launcher-v0.7.0";
  snapshot.check_state = check_done;
  snapshot.behind_by = 3;
  snapshot.latest_commit = {"c3c3c3c3c3c3c3c3c3c3c3c3c3c3c3c3c3c3c3c3", "2026-03-06", "Newer change 3"};
  snapshot.new_commits = {"c3c3c3c  2026-03-06  Newer change 3", "b2b2b2b  2026-03-06  Newer change 2",
                          "a1a1a1a  2026-03-06  Newer change 1"};
  return snapshot;
}

MenuSnapshot job(int32_t state, bool subtitles) {
  MenuSnapshot snapshot;
  snapshot.job_state = state;
  snapshot.job_subtitles = subtitles;
  snapshot.step = "Building the SDK (Release) - the first time takes a while";
  snapshot.log_path = "/appdata/KorvixVelarine/logs/subtitles_2026-03-06_12-00-00.log";
  for (int i = 0; i < 60; ++i) snapshot.output_tail.push_back("[" + std::to_string(i) + "/60] a line of output");
  return snapshot;
}

std::vector<Screen> screens() {
  const std::string couldnt_save = "Couldn't save /home/player/Games/KorvixVelarine/korvix.toml.";
  return {
      {"not installed", screen_main, false, "", {}, {}},
      {"not installed, no image",
       screen_main,
       false,
       "Choose the disc image first.",
       {},
       {"Choose the disc image first."}},
      {"installed, three behind, launcher update",
       screen_main,
       true,
       "",
       behind_by_three(),
       {"New since this install:", "  c3c3c3c  2026-03-06  Newer change 3", "  b2b2b2b  2026-03-06  Newer change 2",
        "  a1a1a1a  2026-03-06  Newer change 1"}},
      {"installed, with a message",
       screen_main,
       true,
       "Desktop shortcut made.",
       behind_by_three(),
       {"Desktop shortcut made.", "New since this install:", "  a1a1a1a  2026-03-06  Newer change 1"}},
      {"display page", screen_display, true, couldnt_save, {}, {couldnt_save}},
      {"effects page", screen_effects, true, couldnt_save, {}, {couldnt_save}},
      {"subtitles page", screen_subtitles, true, "", {}, {"No subtitles made yet."}},
      {"subtitles page after making them",
       screen_subtitles,
       true,
       "",
       job(job_succeeded, true),
       {"Subtitles made. Edit subtitles corrects the words and who says them."}},
      {"a job runs",
       screen_subtitles,
       true,
       "",
       job(job_running, true),
       {"Building the SDK (Release) - the first time takes a while", "[59/60] a line of output"}},
  };
}

class PageLayoutTest : public test::TempUser {
 protected:
  PageLayoutTest() {
    app.interface_clock = [] { return 0.0; };
    app.install_dir = temp / "install";
  }

  // The rows and status texts of a screen, as the menu builds them.
  void show(const Screen& screen) {
    bool installed = fs::exists(app.install_dir / "korvix.exe");
    if (screen.installed && !installed) {
      test::write_bytes(app.install_dir / "korvix.exe", "exe");
      test::write_bytes(app.install_dir / "game" / "default.xex", "xex");
    } else if (!screen.installed && installed) {
      fs::remove_all(app.install_dir);
    }
    app.screen = screen.screen;
    app.message = screen.message;
    {
      std::lock_guard lock(app.status->mutex);
      app.status->job_state = screen.snapshot.job_state;
      app.status->launcher_update = screen.snapshot.launcher_update;
    }
    rows = app.row_list();
    MenuFacts facts = menu_facts(app, rows);
    texts = status_texts({app.screen, app.message, {}}, screen.snapshot, facts);
  }

  LauncherApp app;
  std::vector<MenuRow> rows;
  std::vector<StatusText> texts;
};

std::vector<std::string> placed_texts(const PageLayout& page) {
  std::vector<std::string> out;
  for (const PlacedLine& line : page.status_lines) out.push_back(line.text);
  return out;
}

TEST_F(PageLayoutTest, EveryScreenKeepsItsStatusLinesInView) {
  for (float height : {760.0f, 600.0f}) {
    MenuLayout layout = menu_layout(1280, height);
    float advance = banner_advance(layout, true);
    // Text about half as wide as high, per character.
    MeasureText measure = [&](std::string_view text) { return 0.5f * layout.small_size * text.size(); };
    for (const Screen& screen : screens()) {
      SCOPED_TRACE(testing::Message() << screen.name << " at 1280 x " << height);
      show(screen);
      int count = static_cast<int>(rows.size());
      int first = 0;
      // Down through every row and round to the top again, as the keyboard moves.
      for (int step = 0; step <= count; ++step) {
        int selected = step % count;
        PageLayout page = lay_out_page(layout, advance, count, selected, first, texts, measure);
        SCOPED_TRACE(testing::Message() << "row " << selected);
        EXPECT_GE(selected, page.rows.first);
        EXPECT_LT(selected, page.rows.first + page.rows.count);
        EXPECT_GE(page.rows.first, 0);
        EXPECT_LE(page.rows.first + page.rows.count, count);
        int line_room = static_cast<int>((layout.status_limit - page.status_top) / layout.line_height + 1e-4f);
        EXPECT_GE(line_room, status_lines_kept);
        std::vector<std::string> placed = placed_texts(page);
        for (const std::string& line : screen.must_show)
          EXPECT_NE(std::find(placed.begin(), placed.end(), line), placed.end()) << "missing: " << line;
        first = page.rows.first;
      }
    }
  }
}

TEST_F(PageLayoutTest, PagesThatFitAreLaidOutAsBefore) {
  // At 1280 x 760 the rows begin at 224.2, 36.94 high, the status area 27.87 below them.
  MenuLayout layout = menu_layout(1280, 760);
  MeasureText measure = [&](std::string_view text) { return 0.5f * layout.small_size * text.size(); };
  for (const Screen& screen : screens()) {
    show(screen);
    if (screen.screen != screen_main || screen.installed) continue;
    SCOPED_TRACE(screen.name);
    PageLayout page =
        lay_out_page(layout, banner_advance(layout, true), static_cast<int>(rows.size()), 0, 0, texts, measure);
    EXPECT_NEAR(page.rows_top, 224.17f, 0.01f);
    EXPECT_EQ(page.rows.count, static_cast<int>(rows.size()));
    EXPECT_NEAR(page.status_top, page.rows_top + rows.size() * 36.944f + 27.867f, 0.01f);
    ASSERT_FALSE(page.status_lines.empty());
    EXPECT_FLOAT_EQ(page.status_lines[0].y, page.status_top);
  }
}

TEST_F(PageLayoutTest, TheMainMenuMakesRoomForThreeNewCommitsAt760) {
  // Twelve rows would leave two status lines; nine leave the five it needs.
  MenuLayout layout = menu_layout(1280, 760);
  MeasureText measure = [&](std::string_view text) { return 0.5f * layout.small_size * text.size(); };
  show(screens()[2]);
  ASSERT_EQ(rows.size(), 12u);
  PageLayout page = lay_out_page(layout, banner_advance(layout, true), 12, 0, 0, texts, measure);
  EXPECT_EQ(page.rows.count, 9);
  EXPECT_EQ(placed_texts(page), (std::vector<std::string>{
                                    "Latest on main: c3c3c3c (2026-03-06)  Newer change 3",
                                    "New since this install:", "  c3c3c3c  2026-03-06  Newer change 3",
                                    "  b2b2b2b  2026-03-06  Newer change 2", "  a1a1a1a  2026-03-06  Newer change 1"}));
}

}  // namespace
}  // namespace korvix
