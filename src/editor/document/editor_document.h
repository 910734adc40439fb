// The subtitle editor's document: the open korvix.subtitles, which clip and
// line are picked, the playhead, undo and redo, and every edit operation with
// its rules. No SDL and no ImGui: the screen, the timeline and the media call
// it, and tests drive it on a fake clock.
//
// Every operation works on the selected clip and does nothing without one or
// with an index that is no longer valid. An operation that changes the clip
// marks it corrected by hand (`edited`) and the document dirty, and returns
// true; one that needs a picked line or a place says why in `status`.
//
// Undo works in gestures. begin_edit takes a copy of the selected clip when a
// gesture starts (a field activated, a timeline drag pressed); end_edit, when
// it ends, pushes that copy as one undo step only if the clip really changed,
// so a click that changes nothing keeps the redo history. Operations called
// outside a gesture make their own. A gesture belongs to the widget that began
// it: another widget's gesture ends it first, and only its owner's end does.
// "Replace all" is one step of many clips.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/game_settings.h"
#include "subtitles/clip_groups.h"
#include "editor/document/clip_find.h"
#include "editor/document/editor_view.h"
#include "subtitles/subtitle_file.h"

namespace korvix {

class Transport;

// Where the user is in the selected clip: picking another clip starts afresh.
struct PlaceInClip {
  int32_t picked_line = -1;  // a line of the selected clip, -1 none
  double playhead_ms = 0;    // from the start of the clip's sound
  double view_start_ms = 0;  // the timeline's view
  double view_width_ms = 0;  // 0: fit the whole clip
};

// What the screen, the timeline and the media read and set directly, besides
// the place: it belongs to the open file and goes with it.
struct OpenFields : PlaceInClip {
  std::string status;  // the one status message, shown while not empty
  ClipGroups groups;
};

// Who began a gesture: a field (its interface id, 32 bits), the timeline's
// drag, or 0 for an operation's own.
using EditOwner = uint64_t;
inline constexpr EditOwner timeline_drag_owner = EditOwner{1} << 32;

// A clip as it was before a change.
struct EditSnapshot {
  int32_t clip = -1;
  SubtitleClip copy;
};

// One undo step: the clip a gesture changed, or every clip "Replace all"
// changed, as they were; and the clip selected when it is undone or redone.
struct EditStep {
  std::vector<EditSnapshot> clips;
  int32_t selected = -1;
};

class EditorDocument : public OpenFields {
 public:
  using Clock = std::function<double()>;  // monotonic, in seconds

  static constexpr size_t undo_limit = 200;
  static constexpr double fetch_delay_seconds = 0.2;
  static constexpr double leave_window_seconds = 5.0;
  static constexpr double names_refresh_seconds = 1.0;

  EditorDocument();  // on the steady clock
  EditorDocument(const EditorDocument&) = delete;
  EditorDocument& operator=(const EditorDocument&) = delete;

  // The clock of the leave window, the delayed fetch and the names' refresh.
  Clock clock;
  // Told when playing must stop or the output close; none in most tests.
  Transport* transport = nullptr;

  // ---- Opening, saving, leaving

  // Reads subtitles/korvix.subtitles of the install folder and resets the
  // document: clip 0 selected, clean, the view, the groups and korvix.toml
  // read. On failure `error` says why and nothing changes.
  bool open(const std::filesystem::path& install_folder, const std::filesystem::path& maker_folder, std::string& error);
  bool is_open() const { return state_.open; }
  // Writes the file; on success clean, with "Saved. ..." in `status`, else the
  // failure in `status` and nothing else changes.
  bool save();
  // Back from the editor. With unsaved changes the first Back warns and stays;
  // a second one within 5 s leaves. Leaving closes the sound output and the
  // document (unsaved changes are dropped): the caller returns at once.
  bool try_leave();
  // The window's close request: the same rule, with its own warning and window.
  bool try_close_window();

  bool dirty() const { return state_.dirty; }
  const std::filesystem::path& install_folder() const { return state_.install_folder; }
  const std::filesystem::path& maker_folder() const { return state_.maker_folder; }
  const std::filesystem::path& file_path() const { return state_.file.path; }

  // ---- Clips and selection

  const std::vector<SubtitleClip>& clips() const { return state_.file.clips; }
  int32_t selected_clip() const { return state_.selected_clip; }
  const SubtitleClip* selected() const;
  // Picks a clip: playing stops, the playhead and the view go back to the
  // start, no line is picked, and its sound is due in 0.2 s.
  void select_clip(int32_t index);
  // Changes whenever another clip is selected or the document opens or
  // closes: what a gesture began on one clip doesn't carry over.
  uint64_t selection_serial() const { return selection_serial_; }
  // Changed since the last save ("Changed: not saved yet").
  bool clip_changed(size_t index) const;

  // The media's tick: true once when the selected clip's fetch is due.
  bool take_due_fetch();
  double fetch_due_at() const { return state_.fetch_due_at; }

  // ---- Gestures, undo and redo

  // Nothing while a gesture of the same owner, or any gesture for owner 0, is
  // open; another owner's gesture ends first.
  void begin_edit(EditOwner owner = 0);
  // Ends the open gesture; true when it changed the clip and left an undo step.
  bool end_edit();
  // The same, only when the open gesture is the owner's.
  bool end_edit(EditOwner owner);
  bool edit_open() const { return state_.gesture.has_value(); }

  void undo();
  void redo();
  bool can_undo() const { return !state_.undo.empty(); }
  bool can_redo() const { return !state_.redo.empty(); }
  size_t undo_steps() const { return state_.undo.size(); }
  size_t redo_steps() const { return state_.redo.size(); }
  // Moves with every change that can alter the clip list: an edit, undo,
  // redo, "Replace all", a change of the groups, opening and closing.
  uint64_t revision() const { return revision_; }

  // ---- Find and replace

  // The one match, in the selected clip: one undo step, and the line picked.
  // A text that would pass its field's limit stays, with why in `status`.
  // False when nothing changed.
  bool replace_match(const TextMatch& match, const TextFinder& finder, std::string_view with);
  // Every match in these clips: one undo step for all of them, each changed
  // clip corrected by hand and changed; `status` says how many, and what was
  // left and why.
  ReplaceCount replace_all(const std::vector<int32_t>& clips, const TextFinder& finder, std::string_view with);

  // ---- Lines

  bool split_line();  // at the playhead, words too: "Split."
  bool join_next();   // the picked line and the next: "Joined."
  // A new line after line `after` (-1: at the front), starting where it ends
  // or, `at_playhead`, at the playhead; it becomes the picked line.
  bool add_line(int after, bool at_playhead);
  // The timeline's double-click: a line at `ms`, in time order.
  bool add_line_at(double ms);
  bool delete_line(int index);
  bool set_start_here();  // the picked line starts at the playhead
  bool set_end_here();    // the picked line ends at the playhead
  // Typed or dragged seconds; picks the line.
  bool set_line_start(int index, double seconds);
  bool set_line_end(int index, double seconds);
  // The timeline's drags: times in ms, clamped into the file's range.
  bool set_line_span(int index, int64_t start_ms, int64_t end_ms);
  // After a drag: lines in time order (equal starts keep theirs), the picked
  // line still on the same line.
  bool sort_lines_by_start();
  // The words, on one line; typing can't grow them past words_max_bytes. Picks the line.
  bool set_line_text(int index, std::string_view text);

  // ---- Speakers (index 0 to 9 are speakers 1 to 10)

  // The speakers a clip shows: those its lines and names use, at least 1, and
  // one more asked for with add_speaker while that clip is selected.
  int speaker_count(int32_t clip) const;
  // Cycle the line's speaker through one more than the rest of the clip has.
  bool next_speaker(int line);
  bool previous_speaker(int line);
  bool set_speaker(int line, int speaker);
  bool set_corrected(bool corrected);  // the only way to clear `edited`
  bool set_name(int speaker, std::string_view text);
  bool choose_name(int speaker, std::string_view name);
  bool clear_name(int speaker);
  void add_speaker();  // no undo step and no change of the file
  // Every name of every clip, sorted, without repeats; rebuilt once a second.
  const std::vector<std::string>& known_names();

  // ---- The game's look settings (korvix.toml), shared with the running game

  // As read last; the preview draws with it.
  const GameSettings& look() const { return look_; }
  // Each reads korvix.toml again first, so what the game changed meanwhile is
  // kept, then changes and writes it. A failed write says so in `status`.
  bool step_look(const SettingSpec& spec, int delta);
  bool reset_look();  // "As they were"

  // ---- The groups and the view, kept in their own files

  // After every change of `groups`. Failure: "Couldn't save the groups
  // (PATH)." in `status`.
  bool save_groups();
  void save_view();

  // ---- Plain state, read and set by the screen, the timeline and the media,
  // besides the OpenFields; unlike those it outlives the file

  EditorView view;  // text size, list width, preview height

 private:
  SubtitleClip* selected_mutable();
  SubtitleLine* line_mutable(int index);
  SubtitleLine* picked_mutable();
  void mark_edited();
  // Unsaved changes; a Back or a close request warned about earlier ones
  // warns again.
  void mark_dirty();
  void clamp_picked_line();
  int speakers_besides(int32_t clip, int skipped_line) const;
  bool cycle_speaker(int line, int step);
  bool store_name(int speaker, std::string name);
  // The selected clip as the open gesture found it; null outside a gesture.
  const SubtitleClip* clip_at_gesture_start() const;
  void push_step(EditStep step);
  void take_step(std::deque<EditStep>& from, std::deque<EditStep>& to, const char* nothing, const char* done);
  bool close_request(double& deadline, const char* warning);
  void close();
  template <typename Change>
  bool change_look(Change change);

  // Everything that belongs to the open file: close() resets it whole.
  struct OpenState {
    bool open = false;
    std::filesystem::path install_folder;
    std::filesystem::path maker_folder;
    SubtitleFile file;
    int32_t selected_clip = -1;
    bool dirty = false;
    std::vector<bool> changed_clips;
    std::optional<EditSnapshot> gesture;
    EditOwner gesture_owner = 0;
    std::deque<EditStep> undo;
    std::deque<EditStep> redo;
    double leave_deadline = 0;
    double close_deadline = 0;
    double fetch_due_at = 0;
    int extra_speakers = 0;
    int32_t extra_speakers_clip = -1;
    std::vector<std::string> known_names;
    std::optional<double> names_due_at;
  };

  OpenState state_;
  // Only ever counted up, across files too, so that what was taken from one
  // file is never taken for the next one's.
  uint64_t selection_serial_ = 0;
  uint64_t revision_ = 0;
  GameSettings look_;
};

// One gesture for the length of a scope, unless one is already open (then the
// open one goes on and takes the change).
class EditScope {
 public:
  explicit EditScope(EditorDocument& document) : document_(document), opened_(!document.edit_open()) {
    if (opened_) document_.begin_edit();
  }
  ~EditScope() {
    if (opened_) document_.end_edit();
  }
  EditScope(const EditScope&) = delete;
  EditScope& operator=(const EditScope&) = delete;

 private:
  EditorDocument& document_;
  bool opened_;
};

}  // namespace korvix
