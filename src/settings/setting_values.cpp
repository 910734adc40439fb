#include "settings/setting_values.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace korvix {

namespace {

// Rounds half away from zero, saturating so a huge stored number cannot overflow.
long long whole_number(double v) {
  v = std::round(v);
  if (!(v > static_cast<double>(LLONG_MIN))) return std::isnan(v) ? 0 : LLONG_MIN;
  if (!(v < static_cast<double>(LLONG_MAX))) return LLONG_MAX;
  return static_cast<long long>(v);
}

// to_chars, not printf: the file's decimal point must not follow the locale.
std::string fixed(double v, int decimals) {
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return "0";
  return std::string(buffer, result.ptr);
}

std::string whole(double v) { return std::to_string(whole_number(v)); }

}  // namespace

double parse_setting_number(std::string_view text) {
  size_t start = text.find_first_not_of(" \t\r");
  if (start == std::string_view::npos) return 0;
  text.remove_prefix(start);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double v = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), v);
  // "inf", "nan" and numbers beyond range count as no number.
  if (result.ec != std::errc() || !std::isfinite(v)) return 0;
  return v;
}

std::string displayed_text(const SettingSpec& spec, std::string_view value) {
  switch (spec.kind) {
    case SettingKind::Bool:
      return value == "true" ? "On" : "Off";
    case SettingKind::Choice:
      for (const SettingChoice& choice : spec.choices) {
        if (choice.value == value) return std::string(choice.label);
      }
      return std::string(value);
    case SettingKind::Number: {
      double v = parse_setting_number(value);
      if (spec.percent) return whole(v) + "%";
      return fixed(v, spec.step < 0.1 ? 2 : 1);
    }
  }
  return std::string(value);
}

std::optional<std::string> stepped_text(const SettingSpec& spec, std::string_view value, int delta) {
  switch (spec.kind) {
    case SettingKind::Bool:
      return value == "true" ? "false" : "true";
    case SettingKind::Choice: {
      long long n = static_cast<long long>(spec.choices.size());
      if (n == 0) return std::nullopt;
      long long i = 0;  // the last match: a duplicated value still moves on
      for (long long k = 0; k < n; ++k) {
        if (spec.choices[static_cast<size_t>(k)].value == value) i = k;
      }
      long long next = ((i + delta) % n + n) % n;
      return std::string(spec.choices[static_cast<size_t>(next)].value);
    }
    case SettingKind::Number: {
      if (!(spec.step > 0)) return std::nullopt;
      double v = parse_setting_number(value) + delta * spec.step;
      if (v < spec.min) v = spec.min;
      if (v > spec.max) v = spec.max;
      v = std::round(v / spec.step) * spec.step;
      return spec.percent ? whole(v) : fixed(v, 2);
    }
  }
  return std::nullopt;
}

}  // namespace korvix
