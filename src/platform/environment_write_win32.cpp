#include <windows.h>

#include "platform/environment_write.h"
#include "platform/text_win32.h"

namespace korvix {

bool set_env_var(const char* name, const std::optional<std::string>& value) {
  // env_var reads the wide block through GetEnvironmentVariableW, so write that block.
  std::wstring wide_name = widen(name);
  if (!value) return SetEnvironmentVariableW(wide_name.c_str(), nullptr) != 0;
  std::wstring wide_value = widen(*value);
  return SetEnvironmentVariableW(wide_name.c_str(), wide_value.c_str()) != 0;
}

}  // namespace korvix
