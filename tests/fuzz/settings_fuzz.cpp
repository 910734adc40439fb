// korvix.toml over any bytes (the game and the player's editor write it): the
// line reader takes every line, GameSettings loads the file, steps one row and
// writes it back. Every line that was not the stepped key's comes back byte
// for byte, in its place; the key's lines all become the one standard line (or
// it is appended); and the file read again gives the value that was set.
//
// The row and the direction come from the input's length, so a realistic file
// is an input as it stands.
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "platform/file_read.h"
#include "settings/game_settings.h"
#include "settings/setting_line.h"
#include "settings/setting_schema.h"

namespace {

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

std::vector<const korvix::SettingSpec*> all_rows() {
  std::vector<const korvix::SettingSpec*> rows;
  for (const auto* table : {&korvix::graphics_settings(), &korvix::effect_settings(), &korvix::subtitle_settings()})
    for (const korvix::SettingSpec& spec : *table) rows.push_back(&spec);
  return rows;
}

// The lines of a file as the game and GameSettings see them: split at LF, one
// CR dropped from each line's end, a final line without LF kept.
std::vector<std::string> split_lines(std::string_view bytes) {
  std::vector<std::string> lines;
  while (!bytes.empty()) {
    size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
  }
  return lines;
}

bool is_line_of(std::string_view line, std::string_view key) {
  korvix::SettingLine setting = korvix::parse_setting_line(line);
  return setting.found && setting.key == key;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::vector<const korvix::SettingSpec*> rows = all_rows();
  std::string_view bytes = korvix::fuzz::as_text(data, size);
  const korvix::SettingSpec& spec = *rows[size % rows.size()];
  int delta = (size / rows.size()) % 2 == 0 ? 1 : -1;

  bool marked = bytes.starts_with(byte_order_mark);
  std::vector<std::string> before = split_lines(marked ? bytes.substr(byte_order_mark.size()) : bytes);
  for (const std::string& line : before) {
    korvix::SettingLine setting = korvix::parse_setting_line(line);
    if (!setting.found) continue;
    FUZZ_CHECK(!setting.key.empty() && setting.key == korvix::trim_blanks(setting.key));
    FUZZ_CHECK(setting.key.find('=') == std::string::npos);
  }

  const std::filesystem::path file = korvix::fuzz::scratch_folder() / "korvix.toml";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(out.good());
  }
  korvix::GameSettings settings;
  settings.load(file);
  FUZZ_CHECK(settings.lines() == before);
  FUZZ_CHECK(settings.step_value(spec, delta));
  const std::string value = settings.get(spec);
  const std::string standard = korvix::format_setting_line(spec, value);

  std::string after_bytes = korvix::read_file_bytes(file).value_or("(unreadable)");
  FUZZ_CHECK(after_bytes.starts_with(byte_order_mark) == marked);
  std::vector<std::string> after = split_lines(marked ? std::string_view(after_bytes).substr(3) : after_bytes);
  bool replaced = false;
  for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
    if (is_line_of(before[i], spec.key)) {
      FUZZ_CHECK(after[i] == standard);
      replaced = true;
    } else {
      FUZZ_CHECK(after[i] == before[i]);
    }
  }
  FUZZ_CHECK(after.size() == before.size() + (replaced ? 0 : 1));
  if (!replaced) FUZZ_CHECK(after.back() == standard);

  korvix::GameSettings again;
  again.load(file);
  FUZZ_CHECK(again.get(spec) == value);
  FUZZ_CHECK(again.lines() == after);
  return 0;
}
