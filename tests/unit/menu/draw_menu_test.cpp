// The real menu drawn headless: the pointer selects without scrolling a long
// page; the keyboard scrolls it only as far as the selection needs.
#include "menu/draw_menu.h"

#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "app/launcher_app.h"
#include "menu/banner_view.h"
#include "menu/menu_layout.h"
#include "state/state_test_support.h"
#include "support/headless_imgui.h"

namespace korvix {
namespace {

class DrawMenuTest : public test::TempUser {
 protected:
  DrawMenuTest() {
    app.install_dir = temp / "install";
    test::write_bytes(app.install_dir / "korvix.exe", "exe");
    test::write_bytes(app.install_dir / "game" / "default.xex", "xex");
    app.interface_clock = [] { return ImGui::GetTime(); };
  }

  void frame() {
    ImGui::NewFrame();
    draw_menu(app, imgui.font());
    ImGui::Render();
    test::HeadlessImGui::serve_texture_requests();
  }

  // Moves the pointer to the middle of the `shown`th row on screen.
  void point_at_shown_row(int shown) {
    MenuLayout layout = menu_layout(1280, 760);
    float rows_top = layout.top + banner_advance(layout, false) + 2 * layout.small_size;
    ImGui::GetIO().AddMousePosEvent(640, rows_top + (static_cast<float>(shown) + 0.5f) * layout.row_height);
    frame();
  }

  test::HeadlessImGui imgui{1280, 760};
  LauncherApp app;
};

TEST_F(DrawMenuTest, PointingSelectsWithoutScrollingAndKeysScrollAsLittleAsNeeded) {
  app.set_screen(screen_effects);  // 16 rows: more than fit
  frame();
  point_at_shown_row(0);
  point_at_shown_row(1);
  ASSERT_EQ(app.selected_row, 1);
  ASSERT_EQ(app.first_shown_row, 0);

  // The lowest row on screen: found by pointing further down until the
  // selection stops following.
  int last = 1;
  for (int shown = 2; shown < 16; ++shown) {
    point_at_shown_row(shown);
    if (app.selected_row != shown) break;
    last = shown;
  }
  ASSERT_GE(last, 5);
  ASSERT_LT(last, 15) << "the page shows a window of rows";
  point_at_shown_row(last);
  EXPECT_EQ(app.selected_row, last);
  EXPECT_EQ(app.first_shown_row, 0) << "pointing at a shown row never scrolls";

  dispatch(app, MenuAction::down);
  frame();
  EXPECT_EQ(app.selected_row, last + 1);
  EXPECT_EQ(app.first_shown_row, 1) << "one row down: the window moves by one";

  // The pointer, still, doesn't move the window back.
  frame();
  EXPECT_EQ(app.first_shown_row, 1);
  point_at_shown_row(3);
  EXPECT_EQ(app.selected_row, 4);
  EXPECT_EQ(app.first_shown_row, 1);

  dispatch(app, MenuAction::up);
  dispatch(app, MenuAction::up);
  dispatch(app, MenuAction::up);
  dispatch(app, MenuAction::up);
  frame();
  EXPECT_EQ(app.selected_row, 0);
  EXPECT_EQ(app.first_shown_row, 0);
}

}  // namespace
}  // namespace korvix
