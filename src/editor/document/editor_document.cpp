// Opening, selecting, saving and leaving; the names list, the look settings,
// the groups and the view.
#include "editor/document/editor_document.h"

#include <algorithm>
#include <chrono>

#include "platform/file_read.h"
#include "editor/document/transport.h"
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
  open_ = true;
  install_folder_ = install_folder;
  maker_folder_ = maker_folder;
  file_.clips = std::move(clips);
  file_.comments = read_header_comments(*content);
  file_.unread = std::move(unread);
  file_.path = std::move(path);
  if (size_t unread_lines = unread_line_count(file_.clips, file_.unread)) status = unread_lines_status(unread_lines);
  if (!file_.clips.empty()) select_clip(0);
  load_view(view_file_path(install_folder_), view);
  groups = load_groups(groups_file_path(install_folder_), file_.clips);
  changed_clips_.assign(file_.clips.size(), false);
  look_.load(install_folder_ / "korvix.toml");
  return true;
}

void EditorDocument::close() {
  open_ = false;
  file_ = SubtitleFile{};
  selected_clip_ = -1;
  ++selection_serial_;
  picked_line = -1;
  playhead_ms = 0;
  view_start_ms = 0;
  view_width_ms = 0;
  dirty_ = false;
  status.clear();
  changed_clips_.clear();
  gesture_.reset();
  undo_.clear();
  redo_.clear();
  leave_deadline_ = 0;
  close_deadline_ = 0;
  fetch_due_at_ = 0;
  extra_speakers_ = 0;
  extra_speakers_clip_ = -1;
  known_names_.clear();
  names_due_at_.reset();
  groups = ClipGroups{};
}

bool EditorDocument::save() {
  end_edit();
  SubtitleSaveResult saved = save_subtitles(file_.path, file_.clips, file_.comments, file_.unread);
  status = saved.message;
  if (!saved.ok) return false;
  dirty_ = false;
  leave_deadline_ = 0;
  close_deadline_ = 0;
  changed_clips_.assign(file_.clips.size(), false);
  return true;
}

bool EditorDocument::close_request(double& deadline, const char* warning) {
  double now = clock();
  if (dirty_ && now >= deadline) {
    deadline = now + leave_window_seconds;
    status = warning;
    return false;
  }
  return true;
}

bool EditorDocument::try_leave() {
  if (!close_request(leave_deadline_, "Unsaved changes: Save, or Back again to leave without saving.")) return false;
  if (transport) transport->close_output();
  close();
  return true;
}

bool EditorDocument::try_close_window() {
  return close_request(close_deadline_, "Unsaved changes: Save, or close the window again to quit without saving.");
}

const SubtitleClip* EditorDocument::selected() const {
  if (selected_clip_ < 0 || static_cast<size_t>(selected_clip_) >= file_.clips.size()) return nullptr;
  return &file_.clips[static_cast<size_t>(selected_clip_)];
}

SubtitleClip* EditorDocument::selected_mutable() { return const_cast<SubtitleClip*>(selected()); }

void EditorDocument::select_clip(int32_t index) {
  if (index == selected_clip_ || index < 0 || static_cast<size_t>(index) >= file_.clips.size()) return;
  end_edit();
  if (transport) transport->stop_playback();
  selected_clip_ = index;
  ++selection_serial_;
  playhead_ms = 0;
  view_start_ms = 0;
  view_width_ms = 0;
  picked_line = -1;
  // Passing quickly through the list starts no fetch for the clips passed over.
  fetch_due_at_ = clock() + fetch_delay_seconds;
}

bool EditorDocument::clip_changed(size_t index) const { return index < changed_clips_.size() && changed_clips_[index]; }

bool EditorDocument::take_due_fetch() {
  if (fetch_due_at_ <= 0 || clock() < fetch_due_at_) return false;
  fetch_due_at_ = 0;
  return selected() != nullptr;
}

const std::vector<std::string>& EditorDocument::known_names() {
  double now = clock();
  if (names_due_at_ && now < *names_due_at_) return known_names_;
  names_due_at_ = now + names_refresh_seconds;
  known_names_.clear();
  for (const SubtitleClip& clip : file_.clips) {
    for (const std::string& name : clip.names) {
      if (!name.empty()) known_names_.push_back(name);
    }
  }
  std::sort(known_names_.begin(), known_names_.end());
  known_names_.erase(std::unique(known_names_.begin(), known_names_.end()), known_names_.end());
  return known_names_;
}

template <typename Change>
bool EditorDocument::change_look(Change change) {
  // The game has the same settings in its own panel and may have written the
  // file since: change the file as it is now, not as it was when we read it.
  look_.load(install_folder_ / "korvix.toml");
  if (change(look_)) return true;
  status = look_.save_failed_message();
  return false;
}

bool EditorDocument::step_look(const SettingSpec& spec, int delta) {
  return change_look([&](GameSettings& look) { return look.step_value(spec, delta); });
}

bool EditorDocument::set_look(const SettingSpec& spec, std::string_view value) {
  return change_look([&](GameSettings& look) { return look.set(spec, value); });
}

bool EditorDocument::reset_look() { return change_look(reset_subtitle_look); }

bool EditorDocument::save_groups() { return korvix::save_groups(groups_file_path(install_folder_), groups, status); }

void EditorDocument::save_view() { korvix::save_view(view_file_path(install_folder_), view); }

}  // namespace korvix
