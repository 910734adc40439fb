#include "editor/document/time_text.h"

#include <cstdio>

namespace korvix {

std::string format_time(double ms, bool precise) {
  long long hundredths = ms > 0 ? static_cast<long long>(ms / 10.0 + 0.5) : 0;
  long long seconds = hundredths / 100;
  long long minutes = seconds / 60;
  char text[48];
  if (precise) {
    if (minutes > 0) {
      std::snprintf(text, sizeof text, "%lld:%02lld.%02lld", minutes, seconds % 60, hundredths % 100);
    } else {
      std::snprintf(text, sizeof text, "%lld.%02lld", seconds, hundredths % 100);
    }
  } else if (minutes > 0) {
    std::snprintf(text, sizeof text, "%lld:%02lld", minutes, seconds % 60);
  } else {
    std::snprintf(text, sizeof text, "%llds", seconds);
  }
  return text;
}

std::string format_tick_time(double ms) {
  std::string precise = format_time(ms, true);
  if (precise.ends_with(".00")) return format_time(ms, false);
  if (precise.ends_with('0')) precise.pop_back();
  if (precise.find(':') == std::string::npos) precise += 's';
  return precise;
}

}  // namespace korvix
