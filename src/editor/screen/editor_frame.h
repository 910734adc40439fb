// One frame of the editor screen, as its parts see it.
#pragma once

#include "editor/document/transport_commands.h"
#include "editor/screen/editor_style.h"
#include "editor/subtitle_editor.h"

namespace korvix {

struct EditorFrame {
  explicit EditorFrame(SubtitleEditor& editor, const EditorMetrics& metrics)
      : document(editor.document),
        media(editor.media),
        transport(editor.media),
        screen(editor.screen),
        timeline(editor.timeline),
        m(metrics) {}

  EditorDocument& document;
  // What is shown and fetched; playing goes through the transport.
  EditorMedia& media;
  Transport& transport;
  EditorScreen& screen;
  TimelineUi& timeline;
  const EditorMetrics& m;

  // An edit made with a widget of the right pane: the status line is cleared
  // at the end of the frame. (Keyboard shortcuts keep the operation's message.)
  void widget_edit(bool changed) { widget_edited = widget_edited || changed; }
  bool widget_edited = false;
};

// ---- The parts, top to bottom, left to right

// Title, path, filter, search, Save, Undo, Redo, A- and A+, Back. True when
// Back left the editor: the document is closed then.
bool draw_toolbar(EditorFrame& frame);
void draw_status_line(EditorFrame& frame);
// The replace row under the toolbar, while it is open (Ctrl+H).
void draw_replace_row(EditorFrame& frame);
// The clip list, its splitter and the right pane.
void draw_panes(EditorFrame& frame);
void draw_clip_list(EditorFrame& frame, ImVec2 size);
void draw_clip_pane(EditorFrame& frame);
void draw_transport_row(EditorFrame& frame);
void draw_edit_row(EditorFrame& frame);
void draw_speakers_panel(EditorFrame& frame);
void draw_line_table(EditorFrame& frame);
// The popup "##look", opened by "Look..." in the transport row.
void draw_look_panel(EditorFrame& frame);
void run_shortcuts(EditorFrame& frame);

// ---- Commands that buttons and keys share

// +1 bigger, -1 smaller, 0 as it was; saved at once.
void change_text_scale(EditorFrame& frame, int direction);
// Page Up (-1) / Page Down (+1) in the list's drawn order; the list follows.
void step_clip(EditorFrame& frame, int step);
// Alt+Up (-1) / Alt+Down (+1): the selected clip within its group.
void move_selected_clip(EditorFrame& frame, int step);
// ---- Find and replace

// Ctrl+F: the keyboard goes to the search field.
void focus_search(EditorFrame& frame);
// Ctrl+H: the replace row opens; the keyboard goes to the search field, or
// to "Replace with" once there is something to find.
void open_replace_row(EditorFrame& frame);
// F3 (+1) / Shift+F3 (-1), "Next" / "Previous": the next or previous match in
// the list, selected, picked, scrolled to and highlighted.
void step_to_match(EditorFrame& frame, int direction);
// "Replace": the highlighted match, then the next one (one undo step).
void replace_current(EditorFrame& frame);
// "Replace all": every match in every clip the list shows (one undo step).
void replace_all_listed(EditorFrame& frame);
// Called right after a words (or name) field: highlights the current match
// when it is in that field, and brings it into view once after a step.
void mark_found(EditorFrame& frame, bool in_name, int field, const std::string& text);

}  // namespace korvix
