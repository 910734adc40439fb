#include "state/key_value_file.h"

#include "platform/file_read.h"
#include "platform/file_save.h"

namespace korvix {

namespace {

// Notepad and friends may start a UTF-8 file with a byte-order mark; it is not
// part of the first key.
constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

}  // namespace

KeyValues parse_key_values(std::string_view text) {
  if (text.starts_with(byte_order_mark)) text.remove_prefix(byte_order_mark.size());
  KeyValues entries;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    size_t kept = line.find_last_not_of("\r ");
    line = kept == std::string_view::npos ? std::string_view() : line.substr(0, kept + 1);
    if (line.empty() || line.front() == '#') continue;
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    entries[std::string(line.substr(0, equals))] = std::string(line.substr(equals + 1));
  }
  return entries;
}

bool round_trips(const std::string& key, const std::string& value) {
  if (key.empty() || key.front() == '#' || key.find_first_of("=\r\n") != std::string::npos) return false;
  // Written first, it would read back as a byte-order mark and lose those bytes.
  if (key.starts_with(byte_order_mark)) return false;
  if (value.find_first_of("\r\n") != std::string::npos) return false;
  return value.empty() || value.back() != ' ';
}

std::string format_key_values(const KeyValues& entries) {
  std::string text;
  for (const auto& [key, value] : entries) {
    if (!round_trips(key, value)) continue;
    text += key;
    text += '=';
    text += value;
    text += "\r\n";
  }
  return text;
}

KeyValues read_ini(const std::filesystem::path& path, size_t max_bytes) {
  // One byte more tells a file that ends at the limit from a longer one.
  bool bounded = max_bytes < std::numeric_limits<size_t>::max();
  std::optional<std::string> bytes = read_file_bytes(path, bounded ? max_bytes + 1 : max_bytes);
  if (!bytes) return {};
  std::string_view text = *bytes;
  if (text.size() > max_bytes) {
    text = text.substr(0, max_bytes);
    size_t last_end = text.rfind('\n');
    text = last_end == std::string_view::npos ? std::string_view() : text.substr(0, last_end + 1);
  }
  return parse_key_values(text);
}

bool write_ini(const std::filesystem::path& path, const KeyValues& entries, std::string* error) {
  SaveOptions options;
  options.create_folders = true;
  if (!save_file_atomically(path, format_key_values(entries), options, error)) return false;
  for (const auto& [key, value] : entries) {
    if (round_trips(key, value)) continue;
    if (error) *error = "its " + key + " has a line break or ends in a blank";
    return false;
  }
  return true;
}

}  // namespace korvix
