// Find and replace on the screen: the replace row under the toolbar (Ctrl+H),
// the steps from match to match, the highlight in the field that holds the
// match, and the commands the row's buttons and the keys share.
#include <imgui_internal.h>

#include <string>

#include "editor/screen/editor_frame.h"
#include "editor/screen/editor_widgets.h"

namespace korvix {

namespace {

constexpr size_t replacement_max_bytes = 127;

TextFinder finder_of(const EditorScreen& screen) { return TextFinder(screen.search, screen.find.in_effect()); }

void option_box(FlowRow& row, const char* label, bool& value, const char* tooltip) {
  row.place(checkbox_width(label));
  ImGui::Checkbox(label, &value);
  ImGui::SetItemTooltip("%s", tooltip);
}

// The match becomes the current one: its clip selected (its group opened when
// closed), its line picked, and the list and the pane brought to it.
void go_to_match(EditorFrame& frame, const TextMatch& match) {
  EditorScreen& screen = frame.screen;
  EditorDocument& document = frame.document;
  const ClipListModel& model = screen.list_model(document);
  if (static_cast<size_t>(match.clip) < model.places.size()) {
    int32_t group = model.places[static_cast<size_t>(match.clip)].group;
    if (group >= 0 && !document.groups.groups[static_cast<size_t>(group)].open) {
      document.groups.groups[static_cast<size_t>(group)].open = true;
      document.save_groups();
    }
  }
  document.select_clip(match.clip);
  if (!match.in_name) document.picked_line = match.field;
  screen.find.current = match;
  screen.find.scroll_to_match = true;
  screen.scroll_list_to_selection = true;
}

}  // namespace

void focus_search(EditorFrame& frame) { frame.screen.find.focus_search = true; }

void open_replace_row(EditorFrame& frame) {
  FindBar& find = frame.screen.find;
  find.replace_open = true;
  // What to find comes first; once there is some, what to put in its place.
  if (frame.screen.search.empty()) {
    find.focus_search = true;
  } else {
    find.focus_replacement = true;
  }
}

void step_to_match(EditorFrame& frame, int direction) {
  EditorScreen& screen = frame.screen;
  const TextFinder finder = finder_of(screen);
  if (finder.empty()) {
    frame.document.status = "Type what to find in the search field (Ctrl+F).";
    return;
  }
  const ClipListModel& model = screen.list_model(frame.document);
  std::optional<TextMatch> next = step_match(frame.document.clips(), model.listed_order, finder, screen.find.current,
                                             frame.document.selected_clip(), direction);
  if (!next) {
    frame.document.status = "No matches.";
    return;
  }
  go_to_match(frame, *next);
}

void replace_current(EditorFrame& frame) {
  EditorDocument& document = frame.document;
  FindBar& find = frame.screen.find;
  const TextFinder finder = finder_of(frame.screen);
  // Nothing highlighted (or no longer a match): show the next match first.
  if (!find.current || find.current->clip != document.selected_clip() ||
      !still_matches(document.clips(), *find.current, finder)) {
    step_to_match(frame, +1);
    return;
  }
  const TextMatch match = *find.current;
  if (document.replace_match(match, finder, find.replacement)) {
    // Go on after what was put in, which is never searched again.
    size_t put = replacement_text(match, find.replacement).size();
    find.current = TextMatch{match.clip, match.in_name, match.field, match.start + put, 0};
  }
  step_to_match(frame, +1);
}

void replace_all_listed(EditorFrame& frame) {
  EditorScreen& screen = frame.screen;
  const ClipListModel& model = screen.list_model(frame.document);
  frame.document.replace_all(model.listed_order, finder_of(screen), screen.find.replacement);
  screen.find.current.reset();
}

void draw_replace_row(EditorFrame& frame) {
  EditorScreen& screen = frame.screen;
  FindBar& find = screen.find;
  if (!find.replace_open) return;
  const ClipListModel& model = screen.list_model(frame.document);
  const bool any = model.match_total > 0;
  const std::string count = screen.search.empty() ? std::string("Type what to find in the search field")
                                                  : match_count_text(model.match_total, model.clips_with_matches);
  const float spacing = ImGui::GetStyle().ItemSpacing.x;
  FlowRow row;

  row.place(ImGui::CalcTextSize("Replace with").x + spacing + frame.m.px(260));
  ImGui::AlignTextToFramePadding();
  ImGui::TextUnformatted("Replace with");
  ImGui::SameLine();
  ImGui::SetNextItemWidth(frame.m.px(260));
  if (find.focus_replacement) {
    ImGui::SetKeyboardFocusHere();
    find.focus_replacement = false;
  }
  input_string("##replace", find.replacement, replacement_max_bytes);
  find.field_active = find.field_active || ImGui::IsItemActive();

  option_box(row, "Match case", find.options.match_case, "Capitals and small letters must match too");
  option_box(row, "Whole words", find.options.whole_words, "Not inside a longer word");
  option_box(row, "Also speaker names", find.options.names, "Find and replace in the speakers' names too");

  ImGui::BeginDisabled(!any);
  row.place(button_width("Previous") + spacing + button_width("Next"));
  if (button_with_tooltip("Previous", "The match before (Shift+F3)")) step_to_match(frame, -1);
  ImGui::SameLine();
  if (button_with_tooltip("Next", "The next match (F3)")) step_to_match(frame, +1);
  row.place(button_width("Replace") + spacing + button_width("Replace all"));
  if (button_with_tooltip("Replace", "Replace the highlighted match, then go to the next")) replace_current(frame);
  ImGui::SameLine();
  if (button_with_tooltip("Replace all", "Every match in every clip the list shows, as one step to undo")) {
    replace_all_listed(frame);
  }
  ImGui::EndDisabled();

  row.place(ImGui::CalcTextSize(count.c_str()).x + spacing + button_width("Close"));
  ImGui::AlignTextToFramePadding();
  ImGui::PushStyleColor(ImGuiCol_Text, editor_colors::dim);
  ImGui::TextUnformatted(count.c_str());
  ImGui::PopStyleColor();
  ImGui::SameLine();
  if (button_with_tooltip("Close##replace", "Close the replace row (Esc)")) find.close_replace_row();
}

void mark_found(EditorFrame& frame, bool in_name, int field, const std::string& text) {
  FindBar& find = frame.screen.find;
  const std::optional<TextMatch>& match = find.current;
  if (!match || match->clip != frame.document.selected_clip() || match->in_name != in_name || match->field != field) {
    return;
  }
  if (find.scroll_to_match) {
    ImGui::ScrollToItem(ImGuiScrollFlags_KeepVisibleCenterY);
    find.scroll_to_match = false;
  }
  // While the field is typed in, it shows its own cursor and selection.
  if (ImGui::IsItemActive() || !still_matches(frame.document.clips(), *match, finder_of(frame.screen))) return;
  mark_text_range(text, match->start, match->start + match->length, !in_name, editor_colors::accent,
                  editor_colors::badge_text);
}

}  // namespace korvix
