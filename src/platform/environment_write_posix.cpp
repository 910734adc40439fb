#include <cstdlib>

#include "platform/environment_write.h"

namespace korvix {

bool set_env_var(const char* name, const std::optional<std::string>& value) {
  if (!value) return ::unsetenv(name) == 0;
  return ::setenv(name, value->c_str(), 1) == 0;
}

}  // namespace korvix
