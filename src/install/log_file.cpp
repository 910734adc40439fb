#include "install/log_file.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <system_error>

#include "platform/paths.h"

namespace korvix {

namespace fs = std::filesystem;

namespace {

// Reads for indexing and searching go a mebibyte at a time.
constexpr size_t chunk_bytes = size_t{1} << 20;

std::string reason_of(const std::error_code& error) {
  std::string text = error.message();
  while (!text.empty() && (text.back() == '.' || text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  return text.empty() ? "error " + std::to_string(error.value()) : text;
}

// Reads up to `count` bytes at `offset`; fewer at the end of the file.
bool read_at(std::ifstream& stream, uint64_t offset, size_t count, std::string& bytes) {
  stream.clear();
  stream.seekg(static_cast<std::streamoff>(offset));
  bytes.resize(count);
  stream.read(bytes.data(), static_cast<std::streamsize>(count));
  bytes.resize(static_cast<size_t>(stream.gcount()));
  return !stream.bad();
}

}  // namespace

std::string_view without_carriage_return(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool LogFile::fail(std::string_view reason) {
  error_ = "Couldn't read the log " + to_utf8(path_) + " (" + std::string(reason) + ").";
  return false;
}

std::optional<std::ifstream> LogFile::open_stream() {
  std::error_code error;
  fs::file_status status = fs::status(path_, error);
  if (error) {
    fail(reason_of(error));
    return std::nullopt;
  }
  // A folder has no lines, and reading a pipe or a device could wait for ever.
  if (!fs::is_regular_file(status)) {
    fail("it is no file");
    return std::nullopt;
  }
  std::ifstream stream(path_, std::ios::binary);
  if (!stream.is_open()) {
    fail("it can't be opened");
    return std::nullopt;
  }
  return stream;
}

bool LogFile::open(const fs::path& path) {
  path_ = path;
  index_ = LogIndex{};
  error_.clear();
  std::optional<std::ifstream> stream = open_stream();
  return stream && index_from(*stream, 0);
}

bool LogFile::index_from(std::ifstream& stream, uint64_t offset) {
  std::unique_ptr<char[]> chunk(new char[chunk_bytes]);
  stream.clear();
  stream.seekg(static_cast<std::streamoff>(offset));
  for (;;) {
    stream.read(chunk.get(), static_cast<std::streamsize>(chunk_bytes));
    size_t got = static_cast<size_t>(stream.gcount());
    if (got > 0) index_.add(std::string_view(chunk.get(), got));
    if (stream.bad()) return fail("a read failed");
    if (got < chunk_bytes) break;
  }
  error_.clear();
  return true;
}

bool LogFile::refresh() {
  std::error_code error;
  uint64_t now = fs::file_size(path_, error);
  if (error) return fail(reason_of(error));
  if (now == index_.bytes() && error_.empty()) return true;
  std::optional<std::ifstream> stream = open_stream();
  if (!stream) return false;
  // Shorter than before: rewritten, so nothing indexed still holds.
  if (now < index_.bytes()) index_ = LogIndex{};
  return index_from(*stream, index_.bytes());
}

std::optional<uint64_t> LogFile::line_start(std::ifstream& stream, uint64_t line) {
  if (line >= index_.line_count()) return index_.last_start() == index_.bytes() ? index_.bytes() : index_.bytes() + 1;
  LogIndex::Anchor anchor = index_.anchor_for(line);
  if (anchor.line == line) return anchor.offset;
  // The start lies in the anchor's block: read to the block's end and count.
  uint64_t block_end = (anchor.offset / LogIndex::block_bytes + 1) * LogIndex::block_bytes;
  std::string bytes;
  if (!read_at(stream, anchor.offset, static_cast<size_t>(block_end - anchor.offset), bytes)) return std::nullopt;
  uint64_t at_line = anchor.line;
  for (size_t at = 0; at < bytes.size(); ++at) {
    if (bytes[at] == '\n' && ++at_line == line) return anchor.offset + at + 1;
  }
  return std::nullopt;  // the file changed under the index
}

bool LogFile::read_lines(uint64_t first, size_t count, std::vector<std::string>& lines) {
  lines.clear();
  std::optional<std::ifstream> stream = open_stream();
  if (!stream) return false;
  uint64_t total = index_.line_count();
  uint64_t end = std::min<uint64_t>(total, first + count);
  std::optional<uint64_t> start = first < end ? line_start(*stream, first) : std::optional<uint64_t>(0);
  for (uint64_t line = first; line < end; ++line) {
    std::optional<uint64_t> next = line_start(*stream, line + 1);
    if (!start || !next) return fail("it changed while it was read");
    // The next start follows this line's line feed; the last line may have none.
    uint64_t stop = std::min(*next - 1, index_.bytes());
    std::string bytes;
    if (!read_at(*stream, *start, static_cast<size_t>(std::min<uint64_t>(stop - *start, line_bytes_limit)), bytes))
      return fail("a read failed");
    lines.emplace_back(without_carriage_return(bytes));
    start = next;
  }
  return true;
}

bool LogFile::scan_lines(std::ifstream& stream, uint64_t line, uint64_t offset, uint64_t end_line,
                         const std::function<bool(uint64_t, std::string_view)>& visit) {
  std::unique_ptr<char[]> chunk(new char[chunk_bytes]);
  std::string pending;  // the start of a line that goes on in the next chunk
  bool line_open = false;
  stream.clear();
  stream.seekg(static_cast<std::streamoff>(offset));
  uint64_t left = index_.bytes() - std::min(offset, index_.bytes());
  while (line < end_line && left > 0) {
    stream.read(chunk.get(), static_cast<std::streamsize>(std::min<uint64_t>(chunk_bytes, left)));
    size_t got = static_cast<size_t>(stream.gcount());
    if (got == 0) return !stream.bad();
    left -= got;
    const char* at = chunk.get();
    const char* chunk_end = at + got;
    while (at < chunk_end && line < end_line) {
      const char* feed = static_cast<const char*>(std::memchr(at, '\n', static_cast<size_t>(chunk_end - at)));
      const char* part_end = feed ? feed : chunk_end;
      size_t room = line_bytes_limit - std::min(line_bytes_limit, pending.size());
      std::string_view part(at, std::min(room, static_cast<size_t>(part_end - at)));
      if (!feed) {
        pending.append(part);
        line_open = true;
        break;
      }
      std::string_view text = part;
      if (!pending.empty()) text = pending.append(part);
      if (visit(line, without_carriage_return(text))) return true;
      pending.clear();
      line_open = false;
      ++line;
      at = feed + 1;
    }
  }
  // A last line without its line feed.
  if (line_open && line < end_line) visit(line, without_carriage_return(pending));
  return !stream.bad();
}

std::optional<uint64_t> LogFile::find_line(uint64_t from, int direction, const LineTest& test) {
  std::optional<std::ifstream> stream = open_stream();
  if (!stream) return std::nullopt;
  std::optional<uint64_t> found;
  auto remember = [&](uint64_t line, std::string_view text) {
    if (test(text)) found = line;
    return found.has_value() && direction > 0;  // backwards, the last one before `from` wins
  };
  uint64_t total = index_.line_count();
  if (direction > 0) {
    if (from >= total) return std::nullopt;
    std::optional<uint64_t> start = line_start(*stream, from);
    if (!start || !scan_lines(*stream, from, *start, total, remember)) return std::nullopt;
    return found;
  }
  // Backwards a mebibyte at a time, each window read forwards.
  uint64_t end_line = std::min(from, total);
  while (end_line > 0) {
    std::optional<uint64_t> end_offset = line_start(*stream, end_line);
    if (!end_offset) return std::nullopt;
    uint64_t window_start = *end_offset > chunk_bytes ? *end_offset - chunk_bytes : 0;
    LogIndex::Anchor anchor = index_.anchor_at_or_before(window_start);
    if (!scan_lines(*stream, anchor.line, anchor.offset, end_line, remember)) return std::nullopt;
    if (found) return found;
    end_line = anchor.line;
  }
  return std::nullopt;
}

bool LogFile::read_text(uint64_t limit, std::string& text, bool& cut) {
  std::optional<std::ifstream> stream = open_stream();
  if (!stream) return false;
  uint64_t size = index_.bytes();
  cut = size > limit;
  uint64_t from = cut ? size - limit : 0;
  try {
    if (!read_at(*stream, from, static_cast<size_t>(size - from), text)) return fail("a read failed");
  } catch (const std::bad_alloc&) {
    return fail("it doesn't fit in memory");
  }
  if (cut) {
    size_t feed = text.find('\n');
    text.erase(0, feed == std::string::npos ? text.size() : feed + 1);
  }
  return true;
}

}  // namespace korvix
