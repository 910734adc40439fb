#include "settings/setting_line.h"

namespace korvix {

std::string_view trim_blanks(std::string_view text) {
  constexpr std::string_view blanks = " \t\r";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

SettingLine parse_setting_line(std::string_view line) {
  std::string_view text = trim_blanks(line);
  if (text.empty() || text.front() == '#' || text.front() == '[') return {};
  size_t equals = text.find('=');
  if (equals == std::string_view::npos) return {};
  std::string_view key = trim_blanks(text.substr(0, equals));
  if (key.empty()) return {};
  std::string_view rest = trim_blanks(text.substr(equals + 1));
  std::string_view value;
  if (!rest.empty() && rest.front() == '"') {
    // Without a closing quote the value runs to the (trimmed) end of the line.
    value = rest.substr(1);
    value = value.substr(0, value.find('"'));
  } else {
    size_t comment = rest.find('#');
    value = comment == std::string_view::npos ? rest : trim_blanks(rest.substr(0, comment));
  }
  return {true, std::string(key), std::string(value)};
}

std::string format_setting_line(const SettingSpec& spec, std::string_view value) {
  std::string line(spec.key);
  line += " = ";
  if (needs_quotes(spec)) {
    line += '"';
    line += value;
    line += '"';
  } else {
    line += value;
  }
  return line;
}

}  // namespace korvix
