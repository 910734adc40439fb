#include "settings/game_settings.h"

#include <system_error>

#include "platform/file_read.h"
#include "platform/file_save.h"
#include "platform/paths.h"
#include "settings/setting_line.h"
#include "settings/setting_values.h"

namespace korvix {

namespace {

// Editors such as Notepad may start a UTF-8 file with a byte-order mark. It is
// no part of the first line, so it would hide that line's key.
constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

bool file_is_missing(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found;
}

}  // namespace

void GameSettings::load(const std::filesystem::path& path) {
  path_ = path;
  lines_.clear();
  values_.clear();
  displayed_.clear();
  unreadable_ = false;
  byte_order_mark_ = false;
  std::optional<std::string> read = read_file_bytes(path);
  if (!read) {
    unreadable_ = !file_is_missing(path);
    return;
  }
  const std::string& bytes = *read;
  // Split at LF; a final line without LF counts too. One trailing CR goes.
  size_t start = 0;
  if (bytes.starts_with(byte_order_mark)) {
    byte_order_mark_ = true;
    start = byte_order_mark.size();
  }
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string_view line(bytes.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.emplace_back(line);
    start = end + 1;
  }
  for (const std::string& line : lines_) {
    SettingLine setting = parse_setting_line(line);
    if (setting.found) values_[std::move(setting.key)] = std::move(setting.value);
  }
}

std::string GameSettings::get(const SettingSpec& spec) const { return std::string(value_view(spec)); }

std::string_view GameSettings::value_view(const SettingSpec& spec) const {
  auto found = values_.find(std::string(spec.key));
  return found != values_.end() ? std::string_view(found->second) : spec.default_value;
}

bool GameSettings::set(const SettingSpec& spec, std::string_view value) {
  values_[std::string(spec.key)] = std::string(value);
  displayed_.erase(std::string(spec.key));
  std::string new_line = format_setting_line(spec, value);
  bool replaced = false;
  for (std::string& line : lines_) {
    if (line.find(spec.key) == std::string::npos) continue;  // cheap pre-check
    SettingLine setting = parse_setting_line(line);
    if (setting.found && setting.key == spec.key) {
      line = new_line;
      replaced = true;
    }
  }
  if (!replaced) lines_.push_back(std::move(new_line));
  return write_file();
}

bool GameSettings::write_file() const {
  if (unreadable_ || path_.empty()) return false;
  size_t size = 0;
  for (const std::string& line : lines_) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size + byte_order_mark.size());
  if (byte_order_mark_) bytes += byte_order_mark;  // the file stays as its editor wrote it
  for (const std::string& line : lines_) {
    bytes += line;
    bytes += "\r\n";
  }
  return save_file_atomically(path_, bytes);
}

const std::string& GameSettings::displayed_value(const SettingSpec& spec) const {
  auto found = displayed_.find(spec.key);
  if (found == displayed_.end())
    found = displayed_.emplace(std::string(spec.key), displayed_text(spec, value_view(spec))).first;
  return found->second;
}

bool GameSettings::step_value(const SettingSpec& spec, int delta) {
  std::optional<std::string> next = stepped_text(spec, value_view(spec), delta);
  return next && set(spec, *next);
}

std::string GameSettings::save_failed_message() const { return "Couldn't save " + to_utf8(path_) + "."; }

bool is_dimmed(const GameSettings& settings, const SettingSpec& spec) {
  if (!spec.velarine_effect) return false;
  const SettingSpec* graphics = find_setting(effect_settings(), velarine_graphics_key);
  return graphics && settings.value_view(*graphics) != "true";
}

bool reset_subtitle_look(GameSettings& settings) {
  bool ok = true;
  for (const SettingSpec& spec : subtitle_settings()) {
    if (spec.key == "subtitles") continue;  // whether subtitles show at all is not their look
    ok = settings.set(spec, spec.default_value) && ok;
  }
  return ok;
}

}  // namespace korvix
