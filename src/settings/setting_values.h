// How a row's value is shown and stepped. Pure functions of the row and the
// value text, so the pages and tests need no file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/setting_schema.h"

namespace korvix {

// A decimal number at the start of `text` (after blanks); 0 for no number.
double parse_setting_number(std::string_view text);

// "On"/"Off", the first matching choice's label (else the value itself), or the
// number as "%d%%", "%.2f" or "%.1f".
std::string displayed_text(const SettingSpec& spec, std::string_view value);

// The value one step (delta +1 or -1) away: Bool flips, Choice wraps, Number is
// clamped to its range and rounded to its grid. Nothing for an unknown kind.
std::optional<std::string> stepped_text(const SettingSpec& spec, std::string_view value, int delta);

}  // namespace korvix
