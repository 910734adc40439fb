#include "menu/log_view.h"

#include <algorithm>
#include <cmath>

#include "menu/log_text.h"

namespace korvix {

namespace {

bool is_error_line(std::string_view line) { return mark_of_line(line) == LineMark::error; }

}  // namespace

int64_t scroll_step(int repeat) {
  // Doubles every four repeats (about every half second), up to 64 lines.
  constexpr int64_t fastest = 64;
  if (repeat < 0) repeat = 0;
  return std::min<int64_t>(fastest, int64_t{1} << std::min(repeat / 4, 6));
}

void LogView::open(const std::filesystem::path& path, const JobLogFacts& job) {
  message.clear();
  message_is_warning = false;
  marked_.reset();
  shown_.clear();
  shown_top_ = UINT64_MAX;
  ending_ = {};
  ending_size_ = UINT64_MAX;
  top_ = 0;
  if (!file_.open(path)) return;
  read_ending(job);
  if (ending_.kind == LogEndingKind::failed) {
    // The first error is where a failure began; the last lines only sum it up.
    if (std::optional<uint64_t> first = file_.find_line(0, +1, is_error_line)) {
      marked_ = first;
      scroll_to(*first > static_cast<uint64_t>(page_ / 4) ? *first - static_cast<uint64_t>(page_ / 4) : 0);
      return;
    }
  }
  to_end();
}

void LogView::read_ending(const JobLogFacts& job) {
  if (ending_size_ == file_.size() && ending_job_state_ == job.job_state) return;
  std::vector<std::string> last;
  if (file_.line_count() > 0) file_.read_lines(file_.line_count() - 1, 1, last);
  ending_ = log_ending(last.empty() ? std::string_view() : std::string_view(last.front()), file_.path(), job);
  ending_size_ = file_.size();
  ending_job_state_ = job.job_state;
}

void LogView::refresh(const JobLogFacts& job) {
  if (file_.path().empty()) return;
  bool following = at_end();
  if (!file_.refresh()) return;
  read_ending(job);
  if (following) {
    to_end();
  } else {
    scroll_to(top_);  // a file that shrank keeps the top in range
  }
}

void LogView::set_page_lines(int lines) {
  lines = std::max(lines, 1);
  if (lines == page_) return;
  bool following = at_end();
  page_ = lines;
  if (following) to_end();
}

uint64_t LogView::last_top() const {
  uint64_t count = file_.line_count();
  uint64_t page = static_cast<uint64_t>(page_);
  return count > page ? count - page : 0;
}

void LogView::scroll_to(uint64_t line) { top_ = std::min(line, last_top()); }

void LogView::scroll_by(int64_t lines) {
  if (lines < 0) {
    uint64_t up = static_cast<uint64_t>(-lines);
    scroll_to(top_ > up ? top_ - up : 0);
  } else {
    scroll_to(top_ + static_cast<uint64_t>(lines));
  }
}

void LogView::scroll_pages(double pages) {
  double lines = std::round(pages * static_cast<double>(page_));
  scroll_by(static_cast<int64_t>(lines));
}

void LogView::to_start() { scroll_to(0); }

void LogView::to_end() { top_ = last_top(); }

void LogView::find_error(int direction) {
  message.clear();
  message_is_warning = false;
  uint64_t page = static_cast<uint64_t>(page_);
  bool marked_in_view = marked_ && *marked_ >= top_ && *marked_ < top_ + page;
  std::optional<uint64_t> found;
  if (direction > 0) {
    found = file_.find_line(marked_in_view ? *marked_ + 1 : top_, +1, is_error_line);
  } else {
    found = file_.find_line(marked_in_view ? *marked_ : top_, -1, is_error_line);
  }
  if (!found) {
    if (file_.error().empty()) message = direction > 0 ? "No error line below." : "No error line above.";
    return;
  }
  marked_ = found;
  scroll_to(*found > page / 4 ? *found - page / 4 : 0);
}

const std::vector<ShownLogLine>& LogView::shown_lines() {
  if (!file_.error().empty()) {
    shown_.clear();
    shown_top_ = UINT64_MAX;
    return shown_;
  }
  if (shown_top_ == top_ && shown_page_ == page_ && shown_size_ == file_.size()) return shown_;
  shown_.clear();
  shown_top_ = top_;
  shown_page_ = page_;
  shown_size_ = file_.size();
  std::vector<std::string> lines;
  if (!file_.read_lines(top_, static_cast<size_t>(page_), lines)) return shown_;
  shown_.reserve(lines.size());
  uint64_t number = top_;
  for (const std::string& line : lines) shown_.push_back({number++, displayable_text(line), mark_of_line(line)});
  return shown_;
}

bool LogView::clipboard_text(uint64_t limit, std::string& text, bool& cut) {
  std::string bytes;
  if (!file_.read_text(limit, bytes, cut)) return false;
  text = displayable_text(bytes, true);
  return true;
}

size_t LogView::memory_bytes() const {
  size_t bytes = sizeof *this + file_.memory_bytes() + shown_.capacity() * sizeof(ShownLogLine) +
                 ending_.text.capacity() + message.capacity();
  for (const ShownLogLine& line : shown_) bytes += line.text.capacity();
  return bytes;
}

}  // namespace korvix
