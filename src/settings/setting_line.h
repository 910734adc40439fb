// One line of korvix.toml: the only form read is a key, '=' and a value
// (optionally in double quotes). Every other line is opaque text.
#pragma once

#include <string>
#include <string_view>

#include "settings/setting_schema.h"

namespace korvix {

struct SettingLine {
  bool found = false;  // the line is a setting
  std::string key;
  std::string value;
};

// Removes leading and trailing blanks of the set " \t\r" (no other whitespace).
std::string_view trim_blanks(std::string_view text);

// Comments ('#') and section headers ('[') are no settings; sections are not
// scoped. A quoted value ends at the next quote (no escapes); an unquoted one
// at an inline '#'.
SettingLine parse_setting_line(std::string_view line);

// The line the launcher writes: key, " = ", value; quoted when the row needs it.
std::string format_setting_line(const SettingSpec& spec, std::string_view value);

}  // namespace korvix
