// The clip list: its top row, the groups with their clips, the clips in no
// group, drag and drop, the right-click menus and renaming. Only the rows on
// screen are laid out; every row's place comes from the list model.
#include <imgui_internal.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

#include "editor/document/group_edits.h"
#include "editor/document/line_rules.h"
#include "editor/screen/editor_frame.h"
#include "editor/screen/editor_widgets.h"
#include "editor/screen/screen_texts.h"

namespace korvix {

namespace {

constexpr const char* clip_payload = "KXCLIP";
constexpr const char* group_payload = "KXGROUP";
constexpr size_t group_name_max_bytes = 127;
constexpr const char* ungrouped_name = "Not in a group";
constexpr const char* new_group_tooltip =
    "A new group, to put clips in (drag them onto it).\nDrag groups to put them in order.";

using GroupChange = std::function<void()>;

// What a drag over a row would do, drawn once every row is drawn.
struct DropMark {
  ImRect row;
  std::optional<float> line_y;  // an insertion line there, else the row outlined
};

struct ListPass {
  EditorFrame& frame;
  const ClipListModel& model;
  RowHeights heights;
  ImVec2 origin;  // the top left of row 0 on screen
  float width = 0;
  ImGuiID group_menu = 0;
  ImGuiID clip_menu = 0;
  GroupChange change;  // carried out once the list is drawn
  std::optional<DropMark> mark;
};

const std::vector<SubtitleClip>& clips_of(const ListPass& pass) { return pass.frame.document.clips(); }

size_t corrected_among(const std::vector<SubtitleClip>& clips, const std::vector<int32_t>& members) {
  return static_cast<size_t>(std::count_if(members.begin(), members.end(),
                                           [&](int32_t clip) { return clips[static_cast<size_t>(clip)].edited; }));
}

std::string display_name(const ClipGroup& group) { return group.name.empty() ? "(no name)" : group.name; }

// Changes the groups, then saves them; the list model is built again.
void change_groups(EditorFrame& frame, const std::function<void(ClipGroups&)>& change) {
  change(frame.document.groups);
  frame.document.save_groups();
}

void start_rename(EditorFrame& frame, int32_t group) {
  frame.screen.rename = GroupRename{group, frame.document.groups.groups[static_cast<size_t>(group)].name, true, false};
  frame.screen.scroll_list_to_group = group;
}

// A change of the groups, carried out once the list is drawn.
GroupChange later(EditorFrame& frame, std::function<void(ClipGroups&)> change) {
  return [&frame, change = std::move(change)] { change_groups(frame, change); };
}

// Adds a group (`add` returns its index), then opens its name for typing.
GroupChange later_add_and_rename(EditorFrame& frame, std::function<int32_t(ClipGroups&)> add) {
  return [&frame, add = std::move(add)] {
    int32_t added = -1;
    change_groups(frame, [&](ClipGroups& groups) { added = add(groups); });
    start_rename(frame, added);
  };
}

// ---- Drag and drop

template <typename T>
void drag_source(const char* type, T value, const std::string& caption) {
  if (!ImGui::BeginDragDropSource()) return;
  ImGui::SetDragDropPayload(type, &value, sizeof value);
  ImGui::TextUnformatted(caption.c_str());
  ImGui::EndDragDropSource();
}

template <typename T>
std::optional<T> hovered_payload(const char* type, bool& delivered) {
  const ImGuiPayload* payload = ImGui::AcceptDragDropPayload(
      type, ImGuiDragDropFlags_AcceptBeforeDelivery | ImGuiDragDropFlags_AcceptNoDrawDefaultRect);
  if (!payload || payload->DataSize != sizeof(T)) return std::nullopt;
  delivered = payload->IsDelivery();
  T value;
  std::memcpy(&value, payload->Data, sizeof value);
  return value;
}

// The row just drawn as a drop target for clips and, on headers, groups.
void drop_target(ListPass& pass, const ListRow& row, const ImRect& rect) {
  if (!ImGui::BeginDragDropTarget()) return;
  DropHalf half = drop_half(rect.Min.y, rect.GetHeight(), ImGui::GetIO().MousePos.y);
  float half_y = half == DropHalf::upper ? rect.Min.y : rect.Max.y;
  bool delivered = false;
  if (std::optional<int32_t> clip = hovered_payload<int32_t>(clip_payload, delivered)) {
    ClipDrop drop = clip_drop(row, half);
    bool between = row.kind == ListRowKind::clip && row.group >= 0;
    pass.mark = DropMark{rect, between ? std::optional<float>(half_y) : std::nullopt};
    if (delivered && *clip >= 0 && static_cast<size_t>(*clip) < clips_of(pass).size()) {
      std::string source = clips_of(pass)[static_cast<size_t>(*clip)].source;
      pass.change = later(pass.frame, [source, drop](ClipGroups& groups) {
        move_clip_to_group(groups, source, drop.group, drop.position);
      });
    }
  } else if (std::optional<int32_t> group = hovered_payload<int32_t>(group_payload, delivered)) {
    size_t count = pass.frame.document.groups.groups.size();
    if (std::optional<int32_t> to = group_drop(row, half, *group, count)) {
      bool at_end = row.kind == ListRowKind::ungrouped_header;
      pass.mark = DropMark{rect, at_end ? rect.Min.y : half_y};
      if (delivered) {
        pass.change =
            later(pass.frame, [from = *group, to = *to](ClipGroups& groups) { move_group(groups, from, to); });
      }
    }
  }
  ImGui::EndDragDropTarget();
}

void draw_drop_mark(const ListPass& pass) {
  if (!pass.mark) return;
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const float thickness = pass.frame.m.px(2);
  const ImRect& row = pass.mark->row;
  if (pass.mark->line_y) {
    draw->AddLine(ImVec2(row.Min.x, *pass.mark->line_y), ImVec2(row.Max.x, *pass.mark->line_y), editor_colors::accent,
                  thickness);
  } else {
    draw->AddRect(offset(row.Min, 1, 1), offset(row.Max, -1, -1), editor_colors::accent, pass.frame.m.px(3), 0,
                  thickness);
  }
}

// ---- Headers

void draw_header_face(const ListPass& pass, const ImRect& rect, bool open, const std::string& name,
                      const std::string& count) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const float s = pass.frame.m.s;
  draw->AddRectFilled(rect.Min, rect.Max, editor_colors::header_row, pass.frame.m.px(3));
  float text_y = rect.Min.y + (rect.GetHeight() - ImGui::GetFontSize()) * 0.5f;
  ImGui::RenderArrow(draw, ImVec2(rect.Min.x + 0.3f * s, text_y + 0.15f * s), editor_colors::dim,
                     open ? ImGuiDir_Down : ImGuiDir_Right, 0.7f);
  float count_width = ImGui::CalcTextSize(count.c_str()).x;
  float count_x = rect.Max.x - 0.4f * s - count_width;
  draw->AddText(ImVec2(count_x, text_y), editor_colors::dim, count.c_str());
  ImGui::RenderTextEllipsis(draw, ImVec2(rect.Min.x + 1.2f * s, text_y), ImVec2(count_x - 0.5f * s, rect.Max.y),
                            count_x - 0.5f * s, name.c_str(), nullptr, nullptr);
}

void draw_rename_field(ListPass& pass, const ImRect& rect) {
  EditorFrame& frame = pass.frame;
  GroupRename& rename = frame.screen.rename;
  rename.shown = true;
  ImGui::SetCursorScreenPos(ImVec2(rect.Min.x, rect.Min.y + (rect.GetHeight() - ImGui::GetFrameHeight()) * 0.5f));
  ImGui::SetNextItemWidth(rect.GetWidth());
  if (rename.focus) {
    ImGui::SetKeyboardFocusHere();
    rename.focus = false;
  }
  input_string("##label", rename.name, group_name_max_bytes, ImGuiInputTextFlags_AutoSelectAll);
  bool cancelled = ImGui::IsKeyPressed(ImGuiKey_Escape, false);
  if (!ImGui::IsItemDeactivated()) return;
  // Enter or leaving the field keeps a new name; Escape or an empty name the old one.
  pass.change = [&frame, group = rename.group, name = rename.name, keep = !cancelled && !rename.name.empty()] {
    frame.screen.rename = GroupRename{};
    change_groups(frame, [&](ClipGroups& groups) {
      if (keep && group >= 0 && static_cast<size_t>(group) < groups.groups.size()) {
        groups.groups[static_cast<size_t>(group)].name = name;
      }
    });
  };
}

void draw_group_header(ListPass& pass, const ListRow& row, const ImRect& rect) {
  EditorFrame& frame = pass.frame;
  const int32_t g = row.group;
  const ClipGroup& group = frame.document.groups.groups[static_cast<size_t>(g)];
  ImGui::PushID(g);
  if (frame.screen.rename.group == g) {
    draw_rename_field(pass, rect);
    ImGui::PopID();
    return;
  }
  ImGui::SetCursorScreenPos(rect.Min);
  bool clicked = ImGui::Selectable("##group", false, ImGuiSelectableFlags_None, rect.GetSize());
  if (clicked) {
    pass.change = later(frame, [g](ClipGroups& groups) { groups.groups[g].open ^= true; });
  }
  if (ImGui::IsItemHovered() && ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left)) {
    // The first click opened or closed the group: a double-click renames instead.
    pass.change = [&frame, g] {
      change_groups(frame, [g](ClipGroups& groups) { groups.groups[g].open ^= true; });
      start_rename(frame, g);
    };
  }
  if (ImGui::IsItemClicked(ImGuiMouseButton_Right)) {
    frame.screen.menu = ListMenuTarget{g, -1, -1};
    ImGui::OpenPopup(pass.group_menu);
  }
  const std::vector<int32_t>& members = pass.model.members[static_cast<size_t>(g)];
  size_t corrected = corrected_among(clips_of(pass), members);
  if (ImGui::IsItemHovered(ImGuiHoveredFlags_ForTooltip)) {
    ImGui::SetTooltip(
        "%s: %s\nClick: open or close. Double-click: rename.\nDrag it to reorder the groups; drag clips onto it to "
        "add them.\nRight-click: more.",
        display_name(group).c_str(), clip_count_text(members.size(), corrected).c_str());
  }
  drag_source(group_payload, g, display_name(group));
  drop_target(pass, row, rect);
  draw_header_face(pass, rect, group.open, display_name(group),
                   std::to_string(corrected) + "/" + std::to_string(members.size()));
  ImGui::PopID();
}

void draw_ungrouped_header(ListPass& pass, const ListRow& row, const ImRect& rect) {
  EditorFrame& frame = pass.frame;
  ImGui::SetCursorScreenPos(rect.Min);
  if (ImGui::Selectable("##ungrouped", false, ImGuiSelectableFlags_None, rect.GetSize())) {
    pass.change = later(frame, [](ClipGroups& groups) { groups.ungrouped_open ^= true; });
  }
  size_t corrected = corrected_among(clips_of(pass), pass.model.ungrouped);
  if (ImGui::IsItemHovered(ImGuiHoveredFlags_ForTooltip)) {
    ImGui::SetTooltip("%s: %s\nDrag a clip here to take it out of its group.", ungrouped_name,
                      clip_count_text(pass.model.ungrouped.size(), corrected).c_str());
  }
  drop_target(pass, row, rect);
  draw_header_face(pass, rect, frame.document.groups.ungrouped_open, ungrouped_name,
                   std::to_string(corrected) + "/" + std::to_string(pass.model.ungrouped.size()));
}

// ---- Clip rows

const char* clip_tooltip(bool edited, bool changed) {
  if (edited && changed) return "Corrected by hand (kept when subtitles are made again)\nChanged: not saved yet";
  if (edited) return "Corrected by hand (kept when subtitles are made again)";
  if (changed) return "Changed: not saved yet";
  return nullptr;
}

void draw_clip_face(const ListPass& pass, const SubtitleClip& clip, bool changed, const ImRect& rect) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const EditorMetrics& m = pass.frame.m;
  const float s = m.s;
  float right = rect.Max.x - 0.4f * s;
  if (clip.edited) {
    draw->AddRectFilled(rect.Min, ImVec2(rect.Min.x + m.px(4), rect.Max.y), editor_colors::accent);
    const float badge_size = 0.78f * s;
    ImGui::PushFont(nullptr, badge_size);
    ImVec2 text = ImGui::CalcTextSize("CORRECTED");
    ImVec2 badge_min(right - text.x - 0.5f * s, rect.GetCenter().y - text.y * 0.5f - 0.15f * s);
    ImVec2 badge_max(right, rect.GetCenter().y + text.y * 0.5f + 0.15f * s);
    draw->AddRectFilled(badge_min, badge_max, editor_colors::accent, m.px(3));
    draw->AddText(ImVec2(badge_min.x + 0.25f * s, badge_min.y + 0.15f * s), editor_colors::badge_text, "CORRECTED");
    ImGui::PopFont();
    right = badge_min.x - 0.3f * s;
  }
  if (changed) {
    float radius = 0.2f * s;
    draw->AddCircleFilled(ImVec2(right - radius, rect.GetCenter().y), radius, editor_colors::changed_dot);
    right -= 2 * radius + 0.3f * s;
  }
  std::string first = "[";
  first.append(kind_word(clip.kind)).append("] ");
  first += clip.lines.empty() ? std::string("(no lines)") : line_label(clip, 0);
  std::string second = short_source(clip.source) + "   " + format_time(clip.length_ms, false);
  float left = rect.Min.x + 0.5f * s;
  float top = rect.Min.y + 0.12f * s;
  ImGui::RenderTextEllipsis(draw, ImVec2(left, top), ImVec2(right, top + s), right, first.c_str(), nullptr, nullptr);
  ImGui::PushStyleColor(ImGuiCol_Text, editor_colors::dim);
  ImGui::RenderTextEllipsis(draw, ImVec2(left, top + 1.06f * s), ImVec2(right, top + 2.06f * s), right, second.c_str(),
                            nullptr, nullptr);
  ImGui::PopStyleColor();
}

void draw_clip_row(ListPass& pass, const ListRow& row, const ImRect& rect) {
  EditorFrame& frame = pass.frame;
  const SubtitleClip& clip = clips_of(pass)[static_cast<size_t>(row.clip)];
  bool changed = frame.document.clip_changed(static_cast<size_t>(row.clip));
  ImGui::PushID(row.clip);
  ImGui::SetCursorScreenPos(rect.Min);
  if (ImGui::Selectable("##clip", row.clip == frame.document.selected_clip(), ImGuiSelectableFlags_None,
                        rect.GetSize())) {
    frame.document.select_clip(row.clip);
  }
  if (ImGui::IsItemClicked(ImGuiMouseButton_Right)) {
    frame.screen.menu = ListMenuTarget{row.group, row.clip, row.position};
    ImGui::OpenPopup(pass.clip_menu);
  }
  if (const char* tooltip = clip_tooltip(clip.edited, changed)) ImGui::SetItemTooltip("%s", tooltip);
  drag_source(clip_payload, row.clip, clip.lines.empty() ? clip.source : line_label(clip, 0));
  drop_target(pass, row, rect);
  draw_clip_face(pass, clip, changed, rect);
  ImGui::PopID();
}

void draw_row(ListPass& pass, size_t index) {
  const ListRow& row = pass.model.rows[index];
  float top = pass.origin.y + pass.heights.top(row);
  float indent = row.kind == ListRowKind::clip && row.group >= 0 ? 0.6f * pass.frame.m.s : 0.0f;
  ImRect rect(ImVec2(pass.origin.x + indent, top), ImVec2(pass.origin.x + pass.width, top + pass.heights.of(row)));
  switch (row.kind) {
    case ListRowKind::group_header:
      draw_group_header(pass, row, rect);
      break;
    case ListRowKind::ungrouped_header:
      draw_ungrouped_header(pass, row, rect);
      break;
    case ListRowKind::clip:
      draw_clip_row(pass, row, rect);
      break;
  }
}

// ---- Menus

void draw_group_menu(ListPass& pass) {
  if (!ImGui::BeginPopup("##group-menu")) return;
  EditorFrame& frame = pass.frame;
  const int32_t g = frame.screen.menu.group;
  const int32_t count = static_cast<int32_t>(frame.document.groups.groups.size());
  if (g < 0 || g >= count) {
    ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
    return;
  }
  if (ImGui::MenuItem("Rename")) pass.change = [&frame, g] { start_rename(frame, g); };
  if (g > 0 && ImGui::MenuItem("Move up"))
    pass.change = later(frame, [g](ClipGroups& groups) { move_group(groups, g, g - 1); });
  if (g < count - 1 && ImGui::MenuItem("Move down")) {
    pass.change = later(frame, [g](ClipGroups& groups) { move_group(groups, g, g + 1); });
  }
  if (ImGui::MenuItem("New group below")) {
    pass.change = later_add_and_rename(frame, [g](ClipGroups& groups) { return new_group_below(groups, g, {}); });
  }
  if (ImGui::MenuItem("Delete group (its clips stay, ungrouped)")) {
    pass.change = later(frame, [g](ClipGroups& groups) { delete_group(groups, g); });
  }
  ImGui::EndPopup();
}

void draw_clip_menu(ListPass& pass) {
  if (!ImGui::BeginPopup("##clip-menu")) return;
  EditorFrame& frame = pass.frame;
  const ListMenuTarget target = frame.screen.menu;
  const ClipGroups& groups = frame.document.groups;
  if (target.clip < 0 || static_cast<size_t>(target.clip) >= clips_of(pass).size()) {
    ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
    return;
  }
  const std::string source = clips_of(pass)[static_cast<size_t>(target.clip)].source;
  auto move_to = [&frame, source](int32_t group) {
    return later(frame, [source, group](ClipGroups& g) { move_clip_to_group(g, source, group, -1); });
  };
  if (ImGui::BeginMenu("Put in group")) {
    for (size_t g = 0; g < groups.groups.size(); ++g) {
      ImGui::PushID(static_cast<int>(g));
      bool own = static_cast<int32_t>(g) == target.group;
      if (ImGui::MenuItem(display_name(groups.groups[g]).c_str(), nullptr, own, !own)) {
        pass.change = move_to(static_cast<int32_t>(g));
      }
      ImGui::PopID();
    }
    if (!groups.groups.empty()) ImGui::Separator();
    if (ImGui::MenuItem("New group...")) {
      pass.change = later_add_and_rename(frame, [source](ClipGroups& g) { return new_group(g, source); });
    }
    ImGui::EndMenu();
  }
  bool grouped = target.group >= 0 && static_cast<size_t>(target.group) < groups.groups.size();
  int32_t last =
      grouped ? static_cast<int32_t>(groups.groups[static_cast<size_t>(target.group)].sources.size()) - 1 : -1;
  auto move_within = [&frame, target](int step) {
    return later(frame, [target, step](ClipGroups& g) { move_within_group(g, target.group, target.position, step); });
  };
  if (ImGui::MenuItem("Move up", "Alt+Up", false, grouped && target.position > 0)) pass.change = move_within(-1);
  if (ImGui::MenuItem("Move down", "Alt+Down", false, grouped && target.position < last)) pass.change = move_within(+1);
  if (grouped && ImGui::MenuItem("Take out of the group")) pass.change = move_to(-1);
  ImGui::EndPopup();
}

// ---- The list

void draw_top_row(EditorFrame& frame, GroupChange& change) {
  const std::vector<SubtitleClip>& clips = frame.document.clips();
  const bool has_groups = !frame.document.groups.groups.empty();
  FlowRow row;
  row.place(button_width("+ Group"));
  if (ImGui::Button("+ Group")) {
    change = later_add_and_rename(frame, [](ClipGroups& groups) { return new_group(groups, {}); });
  }
  ImGui::SetItemTooltip("%s", new_group_tooltip);
  if (has_groups) {
    // Each button flows on its own, so a narrow list wraps them instead of cutting one off.
    row.place(button_width("Open all"));
    if (ImGui::Button("Open all")) {
      change = later(frame, [](ClipGroups& groups) { set_all_open(groups, true); });
    }
    row.place(button_width("Close all"));
    if (ImGui::Button("Close all")) {
      change = later(frame, [](ClipGroups& groups) { set_all_open(groups, false); });
    }
  }
  size_t corrected = static_cast<size_t>(
      std::count_if(clips.begin(), clips.end(), [](const SubtitleClip& clip) { return clip.edited; }));
  std::string count = std::to_string(corrected) + "/" + std::to_string(clips.size()) + " corrected";
  row.place(ImGui::CalcTextSize(count.c_str()).x);
  ImGui::AlignTextToFramePadding();
  ImGui::TextDisabled("%s", count.c_str());
}

// Where the rows child must scroll to for a Page Up / Page Down or a new group.
std::optional<float> requested_scroll(EditorScreen& screen, const EditorDocument& document, const ClipListModel& model,
                                      const RowHeights& heights, float view_height) {
  std::optional<size_t> row;
  if (screen.scroll_list_to_group) {
    for (size_t i = 0; i < model.rows.size(); ++i) {
      if (model.rows[i].kind == ListRowKind::group_header && model.rows[i].group == *screen.scroll_list_to_group) {
        row = i;
      }
    }
  } else if (screen.scroll_list_to_selection) {
    row = model.row_of_clip(document.selected_clip());
  }
  screen.scroll_list_to_group.reset();
  screen.scroll_list_to_selection = false;
  if (!row) return std::nullopt;
  const ListRow& target = model.rows[*row];
  float wanted = heights.top(target) + heights.of(target) * 0.5f - 0.4f * view_height;
  return std::clamp(wanted, 0.0f, std::max(0.0f, model.height(heights) - view_height));
}

}  // namespace

void draw_clip_list(EditorFrame& frame, ImVec2 size) {
  ImGui::BeginChild("##clips", size, ImGuiChildFlags_None,
                    ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse);
  GroupChange top_change;
  draw_top_row(frame, top_change);

  const ClipListModel& model = frame.screen.list_model(frame.document);
  ListPass pass{frame, model, RowHeights{1.6f * frame.m.s, 2.3f * frame.m.s}, {}, 0, 0, 0, {}, {}};
  float view_height = ImGui::GetContentRegionAvail().y;
  if (std::optional<float> scroll = requested_scroll(frame.screen, frame.document, model, pass.heights, view_height)) {
    ImGui::SetNextWindowScroll(ImVec2(-1.0f, *scroll));
  }
  ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, ImVec2(ImGui::GetStyle().ItemSpacing.x, 0.0f));
  ImGui::BeginChild("##clip-rows", ImVec2(0, 0));
  pass.origin = ImGui::GetCursorScreenPos();
  pass.width = ImGui::GetContentRegionAvail().x;
  pass.group_menu = ImGui::GetID("##group-menu");
  pass.clip_menu = ImGui::GetID("##clip-menu");

  // Only the rows on screen are laid out, and a row being renamed wherever it is.
  float scroll = ImGui::GetScrollY();
  auto [first, end] = model.rows_between(scroll, scroll + ImGui::GetWindowHeight(), pass.heights);
  frame.screen.rename.shown = false;
  for (size_t i = first; i < end; ++i) draw_row(pass, i);
  if (frame.screen.rename.group >= 0) {
    for (size_t i = 0; i < model.rows.size(); ++i) {
      const ListRow& row = model.rows[i];
      if ((i < first || i >= end) && row.kind == ListRowKind::group_header && row.group == frame.screen.rename.group) {
        draw_row(pass, i);
      }
    }
  }
  draw_drop_mark(pass);
  // The whole list's height, so the scroll bar and scrolling know it.
  ImGui::SetCursorScreenPos(ImVec2(pass.origin.x, pass.origin.y + model.height(pass.heights)));
  ImGui::Dummy(ImVec2(0, 0));

  draw_group_menu(pass);
  draw_clip_menu(pass);
  ImGui::EndChild();
  ImGui::PopStyleVar();
  ImGui::EndChild();

  // A group renamed off the list (hidden by the filter) keeps its name.
  if (frame.screen.rename.group >= 0 && !frame.screen.rename.shown && !frame.screen.rename.focus && !pass.change) {
    frame.screen.rename = GroupRename{};
  }
  if (top_change) top_change();
  if (pass.change) pass.change();
}

void move_selected_clip(EditorFrame& frame, int step) {
  const ClipListModel& model = frame.screen.list_model(frame.document);
  int32_t selected = frame.document.selected_clip();
  if (selected < 0 || static_cast<size_t>(selected) >= model.places.size()) return;
  ClipPlace place = model.places[static_cast<size_t>(selected)];
  if (place.group < 0) return;
  change_groups(frame, [&](ClipGroups& groups) { move_within_group(groups, place.group, place.position, step); });
}

void step_clip(EditorFrame& frame, int step) {
  const ClipListModel& model = frame.screen.list_model(frame.document);
  std::optional<int32_t> next = step_in_order(model.visible_order, frame.document.selected_clip(), step);
  if (!next) return;
  frame.document.select_clip(*next);
  frame.screen.scroll_list_to_selection = true;
}

}  // namespace korvix
