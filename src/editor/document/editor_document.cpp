// Opening, selecting, saving and leaving; the names list, the look settings,
// the groups and the view.
#include "editor/document/editor_document.h"

#include <algorithm>
#include <chrono>

#include "editor/document/transport.h"
#include "platform/file_read.h"
#include "subtitles/subtitle_paths.h"
#include "subtitles/subtitle_save.h"

namespace korvix {

namespace {

double steady_seconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::string unread_lines_status(size_t count) {
  if (count == 1) return "1 line of the file wasn't understood; it is kept as it is.";
  return std::to_string(count) + " lines of the file weren't understood; they are kept as they are.";
}

}  // namespace

EditorDocument::EditorDocument() : clock(steady_seconds) {}

bool EditorDocument::open(const std::filesystem::path& install_folder, const std::filesystem::path& maker_folder,
                          std::string& error) {
  std::filesystem::path path = subtitle_file_path(install_folder);
  std::optional<std::string> content = read_file_bytes(path);
  if (!content) {
    error = "No subtitles made yet: Make subtitles first.";
    return false;
  }
  std::vector<SubtitleClip> clips;
  std::string unread;
  if (!read_subtitles(*content, clips, &error, &unread)) return false;

  close();
  state_.open = true;
  state_.install_folder = install_folder;
  state_.maker_folder = maker_folder;
  state_.file.clips = std::move(clips);
  state_.file.comments = read_header_comments(*content);
  state_.file.unread = std::move(unread);
  state_.file.path = std::move(path);
  if (size_t unread_lines = unread_line_count(state_.file.clips, state_.file.unread))
    status = unread_lines_status(unread_lines);
  if (!state_.file.clips.empty()) select_clip(0);
  load_view(view_file_path(state_.install_folder), view);
  groups = load_groups(groups_file_path(state_.install_folder), state_.file.clips);
  state_.changed_clips.assign(state_.file.clips.size(), false);
  look_.load(state_.install_folder / "korvix.toml");
  return true;
}

void EditorDocument::close() {
  state_ = OpenState{};
  static_cast<OpenFields&>(*this) = OpenFields{};
  ++selection_serial_;
  ++revision_;
}

bool EditorDocument::save() {
  end_edit();
  SubtitleSaveResult saved =
      save_subtitles(state_.file.path, state_.file.clips, state_.file.comments, state_.file.unread);
  status = saved.message;
  if (!saved.ok) return false;
  state_.dirty = false;
  state_.leave_deadline = 0;
  state_.close_deadline = 0;
  state_.changed_clips.assign(state_.file.clips.size(), false);
  return true;
}

bool EditorDocument::close_request(double& deadline, const char* warning) {
  double now = clock();
  if (state_.dirty && now >= deadline) {
    deadline = now + leave_window_seconds;
    status = warning;
    return false;
  }
  return true;
}

bool EditorDocument::try_leave() {
  if (!close_request(state_.leave_deadline, "Unsaved changes: Save, or Back again to leave without saving."))
    return false;
  if (transport) transport->close_output();
  close();
  return true;
}

bool EditorDocument::try_close_window() {
  return close_request(state_.close_deadline,
                       "Unsaved changes: Save, or close the window again to quit without saving.");
}

const SubtitleClip* EditorDocument::selected() const {
  if (state_.selected_clip < 0 || static_cast<size_t>(state_.selected_clip) >= state_.file.clips.size()) return nullptr;
  return &state_.file.clips[static_cast<size_t>(state_.selected_clip)];
}

SubtitleClip* EditorDocument::selected_mutable() { return const_cast<SubtitleClip*>(selected()); }

void EditorDocument::select_clip(int32_t index) {
  if (index == state_.selected_clip || index < 0 || static_cast<size_t>(index) >= state_.file.clips.size()) return;
  end_edit();
  if (transport) transport->stop_playback();
  state_.selected_clip = index;
  ++selection_serial_;
  static_cast<PlaceInClip&>(*this) = PlaceInClip{};
  // Passing quickly through the list starts no fetch for the clips passed over.
  state_.fetch_due_at = clock() + fetch_delay_seconds;
}

bool EditorDocument::clip_changed(size_t index) const {
  return index < state_.changed_clips.size() && state_.changed_clips[index];
}

bool EditorDocument::take_due_fetch() {
  if (state_.fetch_due_at <= 0 || clock() < state_.fetch_due_at) return false;
  state_.fetch_due_at = 0;
  return selected() != nullptr;
}

const std::vector<std::string>& EditorDocument::known_names() {
  double now = clock();
  if (state_.names_due_at && now < *state_.names_due_at) return state_.known_names;
  state_.names_due_at = now + names_refresh_seconds;
  state_.known_names.clear();
  for (const SubtitleClip& clip : state_.file.clips) {
    for (const std::string& name : clip.names) {
      if (!name.empty()) state_.known_names.push_back(name);
    }
  }
  std::sort(state_.known_names.begin(), state_.known_names.end());
  state_.known_names.erase(std::unique(state_.known_names.begin(), state_.known_names.end()), state_.known_names.end());
  return state_.known_names;
}

template <typename Change>
bool EditorDocument::change_look(Change change) {
  // The game has the same settings in its own panel and may have written the
  // file since: change the file as it is now, not as it was when we read it.
  look_.load(state_.install_folder / "korvix.toml");
  if (change(look_)) return true;
  status = look_.save_failed_message();
  return false;
}

bool EditorDocument::step_look(const SettingSpec& spec, int delta) {
  return change_look([&](GameSettings& look) { return look.step_value(spec, delta); });
}

bool EditorDocument::reset_look() { return change_look(reset_subtitle_look); }

bool EditorDocument::save_groups() {
  ++revision_;
  return korvix::save_groups(groups_file_path(state_.install_folder), groups, status);
}

void EditorDocument::save_view() { korvix::save_view(view_file_path(state_.install_folder), view); }

}  // namespace korvix
