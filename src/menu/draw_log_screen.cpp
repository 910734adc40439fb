// Drawing of the log screen. What it shows comes from LogView and where from
// lay_out_log_screen; this file places it, and hands the mouse and the keys
// that the six actions lack (Page Up, Page Down, Home, End, the wheel) to the view.
#include "menu/draw_log_screen.h"

#include <imgui.h>

#include <algorithm>
#include <optional>
#include <string>

#include "app/launcher_app.h"
#include "menu/log_screen.h"
#include "menu/log_screen_layout.h"
#include "menu/menu_drawing.h"
#include "platform/paths.h"

namespace korvix {

namespace {

ImU32 line_color(LineMark mark) {
  switch (mark) {
    case LineMark::error:
      return theme::warning;
    case LineMark::warning:
      return theme::accent;
    case LineMark::none:
      break;
  }
  return theme::white;
}

std::string heading(const LogView& view) {
  std::string file_name = to_utf8(view.path().filename());
  std::optional<LogName> name = parse_log_name(file_name);
  std::string title = name ? LogEntry{view.path(), *name, 0, {}}.title() : file_name;
  if (!view.error().empty()) return title;
  return title + "     " + format_size(view.size()) + ", " + group_digits(view.line_count()) +
         (view.line_count() == 1 ? " line" : " lines");
}

std::string position(const LogView& view) {
  uint64_t count = view.line_count();
  if (count == 0 || !view.error().empty()) return {};
  uint64_t last = std::min(count, view.top() + static_cast<uint64_t>(view.page_lines()));
  return "Lines " + group_digits(view.top() + 1) + "-" + group_digits(last) + " of " + group_digits(count);
}

// Page Up, Page Down, Home, End and the wheel: the six actions have none of them.
void take_keys_and_wheel(LogView& view) {
  const ImGuiIO& io = ImGui::GetIO();
  if (io.WantTextInput) return;
  if (ImGui::IsKeyPressed(ImGuiKey_PageUp)) view.scroll_pages(-1);
  if (ImGui::IsKeyPressed(ImGuiKey_PageDown)) view.scroll_pages(+1);
  if (ImGui::IsKeyPressed(ImGuiKey_Home, false)) view.to_start();
  if (ImGui::IsKeyPressed(ImGuiKey_End, false)) view.to_end();
  if (io.MouseWheel != 0.0f) view.scroll_pages(-io.MouseWheel);
}

struct Frame {
  ImDrawList* draw;
  ImFont* font;
  ImVec2 origin;
  const LogScreenLayout& layout;
};

// The command row; a click to carry out after drawing, since it may leave the screen.
std::optional<LogCommand> draw_commands(LogView& view, const Frame& f) {
  const MenuLayout& menu = f.layout.menu;
  const float m = menu.margin;
  const float top = f.origin.y + f.layout.commands_top;
  const float left = f.origin.x + menu.left;
  draw_panel_box(f.draw, ImVec2(left - 0.6f * m, top - 0.5f * m),
                 ImVec2(left + menu.content_width + 0.6f * m, top + menu.row_height + 0.5f * m), menu.scale);
  const ImGuiIO& io = ImGui::GetIO();
  bool mouse_moved = io.MouseDelta.x != 0.0f || io.MouseDelta.y != 0.0f;
  std::optional<LogCommand> clicked;
  const float size = f.layout.command_text_size;
  for (size_t i = 0; i < log_commands.size(); ++i) {
    const LogCommandBox& box = f.layout.commands[i];
    ImVec2 min(f.origin.x + box.left, top);
    ImVec2 max(min.x + box.width, top + menu.row_height);
    ImGui::SetCursorScreenPos(min);
    ImGui::PushID(static_cast<int>(i));
    ImGui::InvisibleButton("command", ImVec2(box.width, menu.row_height));
    ImGui::PopID();
    if (ImGui::IsItemHovered()) {
      if (mouse_moved) view.selected_command = static_cast<int>(i);
      if (ImGui::IsMouseClicked(ImGuiMouseButton_Left)) {
        view.selected_command = static_cast<int>(i);
        clicked = log_commands[i].command;
      }
    }
    bool selected = view.selected_command == static_cast<int>(i);
    if (selected) f.draw->AddRectFilled(min, max, theme::selection, 6 * menu.scale);
    const char* label = log_commands[i].label;
    float label_width = f.font->CalcTextSizeA(size, FLT_MAX, 0.0f, label).x;
    f.draw->AddText(f.font, size, ImVec2(min.x + (box.width - label_width) / 2, top + (menu.row_height - size) / 2),
                    selected ? theme::accent : theme::white, label);
  }
  return clicked;
}

void draw_scrollbar(LogView& view, const Frame& f) {
  const LogScreenLayout& layout = f.layout;
  if (view.line_count() <= static_cast<uint64_t>(view.page_lines())) return;
  float track_top = f.origin.y + layout.text_top;
  float track_height = layout.text_bottom - layout.text_top;
  float x = f.origin.x + layout.scrollbar_left;
  float min_height = 1.5f * layout.menu.line_height;
  ScrollThumb thumb = scroll_thumb(track_top, track_height, min_height, view.top(), view.page_lines(),
                                   view.line_count());
  ImGui::SetCursorScreenPos(ImVec2(x, track_top));
  ImGui::InvisibleButton("scrollbar", ImVec2(layout.scrollbar_width, track_height));
  if (ImGui::IsItemActive()) {
    // The thumb's middle follows the pointer.
    float thumb_top = ImGui::GetIO().MousePos.y - thumb.height / 2;
    view.scroll_to(top_for_thumb(thumb_top, track_top, track_height, thumb.height, view.page_lines(),
                                 view.line_count()));
    thumb = scroll_thumb(track_top, track_height, min_height, view.top(), view.page_lines(), view.line_count());
  }
  float round = layout.scrollbar_width / 2;
  f.draw->AddRectFilled(ImVec2(x, track_top), ImVec2(x + layout.scrollbar_width, track_top + track_height),
                        theme::progress_track, round);
  f.draw->AddRectFilled(ImVec2(x, thumb.top), ImVec2(x + layout.scrollbar_width, thumb.top + thumb.height),
                        theme::progress_fill, round);
}

void draw_lines(LogView& view, const Frame& f) {
  const LogScreenLayout& layout = f.layout;
  const MenuLayout& menu = layout.menu;
  const float m = menu.margin;
  const float left = f.origin.x + menu.left;
  const float right = left + menu.content_width;
  const float top = f.origin.y + layout.text_top;
  draw_panel_box(f.draw, ImVec2(left - 0.6f * m, top - 0.5f * m),
                 ImVec2(right + 0.6f * m, f.origin.y + layout.text_bottom + 0.5f * m), menu.scale);
  MeasureText measure = measure_at(f.font, menu.small_size);
  const float text_left = f.origin.x + layout.text_left;
  if (!view.error().empty() || view.line_count() == 0) {
    std::string note = view.error().empty() ? "The log is empty." : view.error();
    add_clipped_text(f.draw, f.font, menu.small_size, ImVec2(left, top), view.error().empty() ? theme::dim
                                                                                                : theme::warning,
                     note, menu.content_width, measure);
    return;
  }
  ImVec4 clip(left, top, right, f.origin.y + layout.text_bottom);
  float y = top;
  for (const ShownLogLine& line : view.shown_lines()) {
    if (view.marked_line() == line.number)
      f.draw->AddRectFilled(ImVec2(left - 0.3f * m, y), ImVec2(right, y + menu.line_height), theme::selection,
                            4 * menu.scale);
    std::string number = std::to_string(line.number + 1);
    float number_width = measure(number);
    f.draw->AddText(f.font, menu.small_size, ImVec2(text_left - menu.small_size - number_width, y), theme::hint,
                    number.c_str());
    add_clipped_text(f.draw, f.font, menu.small_size, ImVec2(text_left, y), line_color(line.mark), line.text,
                     right - text_left, measure, &clip);
    y += menu.line_height;
  }
  draw_scrollbar(view, f);
}

void draw_status_line(const LogView& view, const Frame& f) {
  const MenuLayout& menu = f.layout.menu;
  MeasureText measure = measure_at(f.font, menu.small_size);
  const float left = f.origin.x + menu.left;
  const float y = f.origin.y + f.layout.status_top;
  std::string where = position(view);
  float where_width = where.empty() ? 0.0f : measure(where);
  if (!where.empty())
    f.draw->AddText(f.font, menu.small_size, ImVec2(left + menu.content_width - where_width, y), theme::dim,
                    where.c_str());
  bool has_message = !view.message.empty();
  std::string text = has_message ? view.message : view.ending().describe();
  ImU32 color = has_message ? (view.message_is_warning ? theme::warning : theme::accent)
                            : ending_color(view.ending().kind);
  float room = menu.content_width - where_width - (where.empty() ? 0.0f : menu.small_size);
  add_clipped_text(f.draw, f.font, menu.small_size, ImVec2(left, y), color, text, room, measure);
}

}  // namespace

void draw_log_screen(LauncherApp& app, ImFont* font) {
  LogView& view = app.log_view;
  view.refresh(job_log_facts(*app.status));
  ImGuiViewport* viewport = ImGui::GetMainViewport();
  ImVec2 origin = viewport->Pos;
  ImVec2 size = viewport->Size;
  MenuLayout menu = menu_layout(size.x, size.y);
  LogScreenLayout layout = lay_out_log_screen(size.x, size.y, view.line_count(), measure_at(font, menu.row_text_size),
                                              measure_at(font, menu.small_size));
  view.set_page_lines(layout.page_lines);
  take_keys_and_wheel(view);

  ImDrawList* draw = begin_full_window("##log", origin, size);
  Frame frame{draw, font, origin, layout};
  add_clipped_text(draw, font, menu.small_size, ImVec2(origin.x + menu.left, origin.y + layout.heading_top),
                   theme::dim, heading(view), menu.content_width, measure_at(font, menu.small_size));
  std::optional<LogCommand> clicked = draw_commands(view, frame);
  draw_lines(view, frame);
  draw_status_line(view, frame);
  draw->AddText(font, 0.9f * menu.small_size, ImVec2(origin.x + menu.left, origin.y + menu.hint_top), theme::hint,
                "Up / Down: scroll     Left / Right: choose     A / Enter: run it     B / Esc: back");
  end_full_window();
  if (clicked) run_log_command(app, *clicked);
}

}  // namespace korvix
