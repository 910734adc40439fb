// LogFile: a job's log read a screenful at a time, of any size.
//
// Opening reads the file once to index its lines (LogIndex); afterwards only
// what is asked for is read: the lines on screen, a search for the next marked
// line, the text for the clipboard. A log that is still being written grows by
// `refresh`; one that vanishes or can't be read gives a one-line error, and no
// call ever throws.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "install/log_index.h"

namespace korvix {

class LogFile {
 public:
  // What is read of one line, to show it or to test it: the start of a longer
  // line, far more than a screen shows.
  static constexpr size_t line_bytes_limit = 4096;

  // Opens and indexes `path`. False, with `error()`, when it can't be read.
  bool open(const std::filesystem::path& path);
  // Takes in what was appended since; a file that shrank is indexed afresh.
  // False, with `error()`, once it is gone or unreadable.
  bool refresh();

  const std::filesystem::path& path() const { return path_; }
  uint64_t size() const { return index_.bytes(); }
  uint64_t line_count() const { return index_.line_count(); }
  // Why the log can't be read, as one line for the player; empty while it can.
  const std::string& error() const { return error_; }

  // Lines [first, first + count), fewer at the end of the file, each without its
  // line end and cut at line_bytes_limit.
  bool read_lines(uint64_t first, size_t count, std::vector<std::string>& lines);

  using LineTest = std::function<bool(std::string_view)>;
  // The first line at or after `from` (direction +1), or the last line before
  // `from` (-1), that passes `test`; nothing when none does, or when the file
  // can't be read. Each line is tested by its first line_bytes_limit bytes.
  std::optional<uint64_t> find_line(uint64_t from, int direction, const LineTest& test);

  // The whole text; when it is longer than `limit`, its last `limit` bytes from
  // the first line start among them, and `cut` is set.
  bool read_text(uint64_t limit, std::string& text, bool& cut);

  size_t memory_bytes() const { return index_.memory_bytes() + path_.native().capacity() + error_.capacity(); }

 private:
  std::optional<std::ifstream> open_stream();
  bool fail(std::string_view reason);
  bool index_from(std::ifstream& stream, uint64_t offset);
  std::optional<uint64_t> line_start(std::ifstream& stream, uint64_t line);
  // Lines from `line`, which starts at `offset`, up to `end_line`, each handed to
  // `visit` (which returns true to stop).
  bool scan_lines(std::ifstream& stream, uint64_t line, uint64_t offset, uint64_t end_line,
                  const std::function<bool(uint64_t, std::string_view)>& visit);

  std::filesystem::path path_;
  LogIndex index_;
  std::string error_;
};

// A log line as read, without the carriage return of a CR LF line end.
std::string_view without_carriage_return(std::string_view line);

}  // namespace korvix
