#include "platform/local_time.h"

namespace korvix {

std::string format_local_time(std::time_t moment, const char* format) {
  std::tm parts{};
  if (localtime_s(&parts, &moment) != 0) return {};
  char text[128];
  size_t length = std::strftime(text, sizeof text, format, &parts);
  return std::string(text, length);
}

}  // namespace korvix
