// LogView: the log screen's state and everything it does, without drawing.
//
// It scrolls a window of lines over a LogFile, keeps the end in view while new
// lines come (a running job), finds error lines, and copies what the screen
// shows; draw_log_screen only places what this gives.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "install/log_catalog.h"
#include "install/log_file.h"
#include "install/log_marks.h"

namespace korvix {

enum class LogCommand { back, next_error, previous_error, start, end, copy_all, open_folder };

struct LogCommandSpec {
  LogCommand command;
  const char* label;
};

// The command row at the top of the log screen, left to right.
inline constexpr std::array<LogCommandSpec, 7> log_commands{{
    {LogCommand::back, "Back"},
    {LogCommand::next_error, "Next error"},
    {LogCommand::previous_error, "Previous error"},
    {LogCommand::start, "Start"},
    {LogCommand::end, "End"},
    {LogCommand::copy_all, "Copy all"},
    {LogCommand::open_folder, "Open the folder"},
}};

// Lines moved by one up or down: 1 for a press, more the longer it is held
// (`repeat` counts the repeats of the held direction so far).
int64_t scroll_step(int repeat);

struct ShownLogLine {
  uint64_t number = 0;  // from 0
  std::string text;     // valid UTF-8, tabs expanded
  LineMark mark = LineMark::none;
};

class LogView {
 public:
  // Opens the log at `path`: at its first error line when its job failed, else
  // at its end. A log that can't be read shows its one-line error instead.
  void open(const std::filesystem::path& path, const JobLogFacts& job);
  // Once a frame: takes in new lines and the job's ending; while the end was in
  // view it stays in view.
  void refresh(const JobLogFacts& job);

  // How many lines the screen shows (from the layout, at least 1). The end
  // stays in view across a change.
  void set_page_lines(int lines);
  int page_lines() const { return page_; }

  void scroll_by(int64_t lines);
  // Whole pages, or parts of one (a mouse wheel's notch may be a fraction).
  void scroll_pages(double pages);
  void to_start();
  void to_end();
  // Marks the next error line below the marked one (or from the top line when
  // none is marked and in view), or the previous one above it, and scrolls it a
  // quarter of a page from the top. Says so when there is none.
  void find_error(int direction);
  // Puts the top line at `line`, clamped.
  void scroll_to(uint64_t line);

  uint64_t top() const { return top_; }
  uint64_t line_count() const { return file_.line_count(); }
  uint64_t size() const { return file_.size(); }
  bool at_end() const { return top_ >= last_top(); }
  const std::filesystem::path& path() const { return file_.path(); }
  // Why the log can't be shown, or empty.
  const std::string& error() const { return file_.error(); }
  const LogEnding& ending() const { return ending_; }
  std::optional<uint64_t> marked_line() const { return marked_; }

  // The lines on screen, read again only when the top, the page or the file changed.
  const std::vector<ShownLogLine>& shown_lines();

  // The text for the clipboard: all of it up to `limit` bytes, else its end.
  bool clipboard_text(uint64_t limit, std::string& text, bool& cut);

  // A one-line note of the last command ("No error line below."), and whether it
  // tells of a failure.
  std::string message;
  bool message_is_warning = false;
  int selected_command = 0;

  size_t memory_bytes() const;

 private:
  uint64_t last_top() const;
  void read_ending(const JobLogFacts& job);

  LogFile file_;
  LogEnding ending_;
  uint64_t top_ = 0;
  int page_ = 20;
  std::optional<uint64_t> marked_;
  std::vector<ShownLogLine> shown_;
  // What `shown_` was read for.
  uint64_t shown_top_ = UINT64_MAX;
  int shown_page_ = 0;
  uint64_t shown_size_ = UINT64_MAX;
  // The facts the ending was read with.
  uint64_t ending_size_ = UINT64_MAX;
  int32_t ending_job_state_ = -1;
};

}  // namespace korvix
