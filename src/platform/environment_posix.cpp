#include "platform/environment.h"

#include <cstdlib>

namespace korvix {

std::optional<std::string> env_var(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

}  // namespace korvix
