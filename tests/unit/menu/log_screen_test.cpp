// Reaching a log with the six actions alone, and the log screen's frame: the
// rows that lead there, the commands, Back, and a layout that fits any window.
#include "menu/log_screen.h"

#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "app/launcher_app.h"
#include "menu/draw_log_screen.h"
#include "menu/log_screen_layout.h"
#include "menu/menu_frame.h"
#include "state/folders.h"
#include "state/state_test_support.h"
#include "support/headless_imgui.h"

namespace korvix {
namespace {

class LogScreenTest : public test::TempUser {
 protected:
  LogScreenTest() { app.interface_clock = [] { return 100.0; }; }

  fs::path write_log(const std::string& name, const std::string& text) {
    fs::path path = logs_folder() / name;
    test::write_bytes(path, text);
    return path;
  }
  void end_job(const fs::path& log, int32_t state) {
    std::lock_guard lock(app.status->mutex);
    app.status->job_state = state;
    app.status->log_path = log;
  }
  MenuRow selected() { return app.row_list().at(static_cast<size_t>(app.selected_row)); }

  LauncherApp app;  // nothing installed
};

std::string build_log(int lines_before_error) {
  std::string text;
  for (int i = 0; i < lines_before_error; ++i) text.append(1, '[').append(std::to_string(i)).append("/900] Building\n");
  return text + "a.cpp(1): error C2065: 'x': undeclared identifier\nFailed: The build failed (exit 1).\n";
}

TEST_F(LogScreenTest, AFailedJobOffersItsLogFirstAndBackReturnsToThatRow) {
  fs::path log = write_log("install_20260101-120000.log", build_log(200));
  end_job(log, job_failed);
  std::vector<MenuRow> rows = app.row_list();
  ASSERT_EQ(rows.front(), row_view_log);
  EXPECT_EQ(rows[rows.size() - 2], row_logs) << "Logs stands just above Quit";

  // The menu saw the job run, with the selection on Stop's list; now it ended.
  app.seen_job_state = job_running;
  app.selected_row = 1;
  follow_job_end(app, job_failed, rows);
  EXPECT_EQ(selected(), row_view_log) << "not the row that took its index";
  app.selected_row = 2;
  follow_job_end(app, job_failed, rows);
  EXPECT_EQ(app.selected_row, 2) << "once: the player may move on";
  dispatch(app, MenuAction::up);
  dispatch(app, MenuAction::up);
  ASSERT_EQ(selected(), row_view_log);
  dispatch(app, MenuAction::accept);
  ASSERT_EQ(app.screen, screen_log);
  EXPECT_EQ(app.log_view.marked_line(), 200u) << "at the first error";

  dispatch(app, MenuAction::back);
  EXPECT_EQ(app.screen, screen_main);
  EXPECT_EQ(selected(), row_view_log);

  end_job(log, job_stopped);
  EXPECT_EQ(app.row_list().front(), row_view_log) << "a stopped job's log too";
  {
    std::lock_guard lock(app.status->mutex);
    app.status->log_error = "Couldn't write the log (No space left on device).";
  }
  EXPECT_NE(app.row_list().front(), row_view_log) << "a log that couldn't be written isn't offered";
}

TEST_F(LogScreenTest, TheLogsPageListsNewestFirstAndALogReturnsToItsRow) {
  write_log("install_20260101-120000.log", build_log(3));
  write_log("update_20260102-120000.log", "Finished.\n");
  write_log("upscale_20260103-120000.log", "[1/9] fetching\n");
  dispatch(app, MenuAction::up);
  dispatch(app, MenuAction::up);
  ASSERT_EQ(selected(), row_logs);
  dispatch(app, MenuAction::accept);
  ASSERT_EQ(app.screen, screen_logs);
  EXPECT_EQ(app.row_list(), (std::vector<MenuRow>{log_row(0), log_row(1), log_row(2), row_back}));
  EXPECT_EQ(app.logs.entries[0].name.kind, "upscale");
  EXPECT_EQ(log_row_value(app.logs.entries[1]), "10 bytes   Finished");

  dispatch(app, MenuAction::down);
  dispatch(app, MenuAction::down);
  dispatch(app, MenuAction::accept);
  ASSERT_EQ(app.screen, screen_log);
  EXPECT_EQ(app.log_view.path().filename(), "install_20260101-120000.log");
  dispatch(app, MenuAction::back);
  EXPECT_EQ(app.screen, screen_logs);
  EXPECT_EQ(app.selected_row, 2);
  dispatch(app, MenuAction::back);
  EXPECT_EQ(app.screen, screen_main);
}

TEST_F(LogScreenTest, ActionsScrollFasterWhenHeldAndRunTheChosenCommand) {
  fs::path log = write_log("update_20260101-120000.log", build_log(5000));
  app.open_log(log);
  LogView& view = app.log_view;
  view.set_page_lines(20);
  dispatch(app, MenuAction::left);  // wraps to "Open the folder"
  dispatch(app, MenuAction::left);
  dispatch(app, MenuAction::left);
  EXPECT_EQ(log_commands[static_cast<size_t>(view.selected_command)].command, LogCommand::end);
  dispatch(app, MenuAction::left);
  dispatch(app, MenuAction::accept);  // "Start"
  EXPECT_EQ(view.top(), 0u);

  dispatch(app, MenuAction::down);
  EXPECT_EQ(view.top(), 1u);
  uint64_t before = view.top();
  dispatch(app, MenuAction::down, 30);
  EXPECT_EQ(view.top() - before, static_cast<uint64_t>(scroll_step(30)));
  EXPECT_GT(scroll_step(30), 10);

  dispatch(app, MenuAction::right);  // "End"
  dispatch(app, MenuAction::accept);
  EXPECT_TRUE(view.at_end());
  dispatch(app, MenuAction::left);
  dispatch(app, MenuAction::left);
  dispatch(app, MenuAction::accept);  // "Previous error", above the first one
  EXPECT_EQ(view.message, "No error line above.");
  EXPECT_EQ(view.marked_line(), 5000u);
  dispatch(app, MenuAction::left);
  dispatch(app, MenuAction::accept);  // "Next error"
  EXPECT_EQ(view.marked_line(), 5001u) << "the launcher's own Failed: line";
}

TEST_F(LogScreenTest, EveryWindowFitsTheCommandsAndAPageOfLines) {
  for (ImVec2 size : {ImVec2(1280, 760), ImVec2(640, 400), ImVec2(2560, 1440)}) {
    SCOPED_TRACE(testing::Message() << size.x << " x " << size.y);
    test::HeadlessImGui imgui{size.x, size.y};
    ImFont* font = imgui.font();
    MenuLayout menu = menu_layout(size.x, size.y);
    auto measure = [font](float text_size) {
      return [font, text_size](std::string_view text) {
        return font->CalcTextSizeA(text_size, FLT_MAX, 0, text.data(), text.data() + text.size()).x;
      };
    };
    LogScreenLayout layout =
        lay_out_log_screen(size.x, size.y, 123456, measure(menu.row_text_size), measure(menu.small_size));
    const LogCommandBox& last = layout.commands.back();
    EXPECT_LE(last.left + last.width, menu.left + menu.content_width + 0.5f);
    EXPECT_GE(layout.command_text_size, menu.small_size);
    for (size_t i = 0; i < log_commands.size(); ++i) {
      float label = measure(layout.command_text_size)(log_commands[i].label);
      EXPECT_LE(label, layout.commands[i].width) << log_commands[i].label;
    }
    EXPECT_LE(layout.text_top + layout.page_lines * menu.line_height, layout.text_bottom + 0.01f);
    EXPECT_LT(layout.text_bottom, layout.status_top);
    EXPECT_LT(layout.status_top + menu.line_height, menu.hint_top + 0.01f);

    // The scroll bar's thumb, dragged anywhere, gives back the top it shows.
    for (uint64_t top : {0ull, 777ull, 123456ull - 20}) {
      ScrollThumb thumb = scroll_thumb(100, 500, 20, top, 20, 123456);
      EXPECT_NEAR(static_cast<double>(top_for_thumb(thumb.top, 100, 500, thumb.height, 20, 123456)),
                  static_cast<double>(top), 123456 / 480.0);
    }
  }
}

TEST_F(LogScreenTest, AClickOnACommandRunsIt) {
  fs::path log = write_log("install_20260101-120000.log", build_log(300));
  test::HeadlessImGui imgui{1280, 760};
  app.open_log(log);
  auto frame = [&] {
    ImGui::NewFrame();
    draw_log_screen(app, imgui.font());
    ImGui::Render();
    test::HeadlessImGui::serve_texture_requests();
  };
  frame();
  LogScreenLayout layout = lay_out_log_screen(1280, 760, app.log_view.line_count(), [](std::string_view t) {
    return 10.0f * t.size();
  }, [](std::string_view t) { return 7.0f * t.size(); });
  EXPECT_EQ(app.log_view.page_lines(), layout.page_lines);
  // "Back", the first command, from its box's middle.
  const float y = layout.commands_top + layout.menu.row_height / 2;
  ImGui::GetIO().AddMousePosEvent(layout.menu.left + 10, y);
  frame();
  ImGui::GetIO().AddMouseButtonEvent(ImGuiMouseButton_Left, true);
  frame();
  ImGui::GetIO().AddMouseButtonEvent(ImGuiMouseButton_Left, false);
  frame();
  EXPECT_EQ(app.screen, screen_main);
}

}  // namespace
}  // namespace korvix
