// Drawing of the menu screens. Everything drawn is computed elsewhere (row
// views, status texts, layout); this file only places it.
#include "menu/draw_menu.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>

#include "app/launcher_app.h"
#include "menu/banner_view.h"
#include "menu/log_screen.h"
#include "menu/menu_drawing.h"
#include "menu/menu_frame.h"
#include "menu/menu_layout.h"
#include "menu/menu_theme.h"
#include "menu/page_layout.h"
#include "menu/status_area.h"
#include "state/install_record.h"

namespace korvix {

namespace {

std::string subtitle_line(const LauncherApp& app, bool installed) {
  if (app.screen == screen_logs) return logs_page_subtitle(app.logs);
  if (!installed) return "Build the game from your own Korvix (Xbox 360) disc image";
  switch (app.screen) {
    case screen_display:
      return "Graphics settings: display";
    case screen_effects:
      return "Graphics settings: effects";
    case screen_subtitles:
      return "Subtitles";
    default:
      return "Installed version  " + installed_version_text(app.install_records, app.install_dir, app.source_dir) +
             "     (launcher " KORVIX_LAUNCHER_VERSION ")";
  }
}

// A click the rows asked for; carried out after drawing, since it may change the screen.
struct RowClick {
  MenuRow row = row_quit;
  int direction = 0;  // 0: activate
  bool pending = false;
};

void draw_panel(ImDrawList* draw, const MenuLayout& layout, float top, const RowWindow& shown, int row_count) {
  const float x = layout.left;
  const float w = layout.content_width;
  const float bottom = top + static_cast<float>(shown.count) * layout.row_height;
  const float padding = 0.5f * layout.margin;
  ImVec2 panel_min(x - 0.6f * layout.margin, top - padding);
  ImVec2 panel_max(x + w + 0.6f * layout.margin, bottom + padding);
  draw_panel_box(draw, panel_min, panel_max, layout.scale);
  // Arrows in the panel's padding, centred, tell that a long page goes on
  // above or below.
  float arrow = 0.6f * padding;
  float arrow_x = x + 0.5f * w;
  if (shown.first > 0) {
    float tip = top - 0.8f * padding;
    draw->AddTriangleFilled(ImVec2(arrow_x - arrow, tip + arrow), ImVec2(arrow_x + arrow, tip + arrow),
                            ImVec2(arrow_x, tip), theme::accent);
  }
  if (shown.first + shown.count < row_count) {
    float tip = bottom + 0.8f * padding;
    draw->AddTriangleFilled(ImVec2(arrow_x - arrow, tip - arrow), ImVec2(arrow_x + arrow, tip - arrow),
                            ImVec2(arrow_x, tip), theme::accent);
  }
}

void draw_rows(LauncherApp& app, const std::vector<MenuRowView>& rows, const MenuLayout& layout, ImFont* font,
               float top, const RowWindow& shown, RowClick& click) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const float s = layout.scale;
  const float x = layout.left;
  const float w = layout.content_width;
  const float h = layout.row_height;
  const float value_x = x + 0.38f * w;
  draw_panel(draw, layout, top, shown, static_cast<int>(rows.size()));
  MeasureText measure = measure_at(font, layout.row_text_size);
  const ImGuiIO& io = ImGui::GetIO();
  bool mouse_moved = io.MouseDelta.x != 0.0f || io.MouseDelta.y != 0.0f;
  float y = top;
  for (size_t i = static_cast<size_t>(shown.first); i < static_cast<size_t>(shown.first + shown.count); ++i) {
    const MenuRowView& row = rows[i];
    ImVec2 top_left(x - 0.3f * layout.margin, y);
    ImVec2 bottom_right(x + w + 0.3f * layout.margin, y + h);
    ImGui::SetCursorScreenPos(top_left);
    ImGui::PushID(static_cast<int>(i));
    ImGui::InvisibleButton("row", ImVec2(bottom_right.x - top_left.x, h));
    ImGui::PopID();
    if (ImGui::IsItemHovered()) {
      if (mouse_moved) app.selected_row = static_cast<int32_t>(i);
      if (ImGui::IsMouseClicked(ImGuiMouseButton_Left)) {
        app.selected_row = static_cast<int32_t>(i);
        float mouse_x = io.MousePos.x;
        bool steps = row.id == row_branch ||
                     (row.id == row_disc_image && app.disc_images.size() >= 2 && mouse_x > value_x);
        click = {row.id, steps ? (mouse_x < value_x + 0.2f * w ? -1 : +1) : 0, true};
      }
    }
    if (row.fraction >= 0.0f) {
      float filled = std::clamp(row.fraction, 0.0f, 1.0f);
      draw->AddRectFilled(top_left, bottom_right, theme::progress_track, 6 * s);
      draw->AddRectFilled(top_left, ImVec2(top_left.x + filled * (bottom_right.x - top_left.x), bottom_right.y),
                          theme::progress_fill, 6 * s);
    }
    bool selected = static_cast<int32_t>(i) == app.selected_row;
    if (selected) draw->AddRectFilled(top_left, bottom_right, theme::selection, 6 * s);
    float text_y = y + (h - layout.row_text_size) / 2;
    draw->AddText(font, layout.row_text_size, ImVec2(x, text_y), selected ? theme::accent : theme::white,
                  row.label.c_str());
    std::string value = row.keep_value_start ? truncate_back(row.value, x + w - value_x, measure)
                                             : truncate_front(row.value, x + w - value_x, measure);
    draw->AddText(font, layout.row_text_size, ImVec2(value_x, text_y), row.value_color, value.c_str());
    y += h;
  }
}

void draw_status(const std::vector<PlacedLine>& lines, const MenuLayout& layout, ImFont* font, float origin_y) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  ImVec4 clip(layout.left, origin_y, layout.left + layout.content_width, origin_y + layout.status_limit);
  MeasureText measure = measure_at(font, layout.small_size);
  for (const PlacedLine& line : lines)
    add_clipped_text(draw, font, layout.small_size, ImVec2(layout.left, origin_y + line.y), line.color, line.text,
                     layout.content_width, measure, &clip);
}

}  // namespace

void draw_menu(LauncherApp& app, ImFont* font) {
  take_dialog_results(app);
  run_due_recheck(app);
  run_launcher_update_steps(app);
  MenuSnapshot snapshot = take_snapshot(*app.status, LauncherStatus::Clock::now());
  std::vector<MenuRow> rows = app.row_list();
  follow_job_end(app, snapshot.job_state, rows);
  if (!rows.empty()) app.selected_row = std::clamp(app.selected_row, 0, static_cast<int32_t>(rows.size()) - 1);
  MenuFacts facts = menu_facts(app, rows);
  std::string summary = app.screen == screen_subtitles ? app.subtitles_summary.get(app.install_dir) : std::string();
  facts.subtitles_exist = !summary.empty();
  std::vector<MenuRowView> views = build_row_views(app, rows, snapshot, facts);
  StatusInputs status_inputs{app.screen, screenful(app.message), std::move(summary)};
  std::vector<StatusText> texts = app.screen == screen_logs ? logs_page_texts(app, status_inputs.message)
                                                            : status_texts(status_inputs, snapshot, facts);

  ImGuiViewport* viewport = ImGui::GetMainViewport();
  ImVec2 size = viewport->Size;
  ImVec2 origin = viewport->Pos;
  MenuLayout layout = menu_layout(size.x, size.y);
  layout.left += origin.x;
  SDL_Texture* picture = banner_picture(app.banner.get(), layout);
  PageLayout page = lay_out_page(layout, banner_advance(layout, picture != nullptr), static_cast<int>(views.size()),
                                 app.selected_row, app.first_shown_row, texts, measure_at(font, layout.small_size));
  app.first_shown_row = page.rows.first;

  ImDrawList* draw = begin_full_window("##launcher", origin, size);

  draw_banner(app.banner.get(), picture, draw, font, layout, ImVec2(layout.left, origin.y + layout.top));
  add_clipped_text(draw, font, layout.small_size, ImVec2(layout.left, origin.y + page.subtitle_top), theme::dim,
                   subtitle_line(app, facts.installed), layout.content_width, measure_at(font, layout.small_size));

  RowClick click;
  draw_rows(app, views, layout, font, origin.y + page.rows_top, page.rows, click);
  draw_status(page.status_lines, layout, font, origin.y);

  const char* hint = app.screen == screen_main
                         ? "A / Enter: select     Left / Right: change     Mouse works too"
                         : "A / Enter: select     Left / Right: change     B / Esc: back";
  draw->AddText(font, 0.9f * layout.small_size, ImVec2(layout.left, origin.y + layout.hint_top), theme::hint, hint);
  end_full_window();

  if (click.pending) {
    if (click.direction != 0) {
      app.change(click.row, click.direction);
    } else {
      app.activate(click.row);
    }
  }
}

}  // namespace korvix
