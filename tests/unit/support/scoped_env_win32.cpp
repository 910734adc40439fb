#include <windows.h>

#include "platform/text_win32.h"
#include "support/scoped_env.h"

namespace korvix {

void set_process_env(const std::string& name, const std::optional<std::string>& value) {
  // The process environment block, which the launcher reads; an empty value stays set.
  SetEnvironmentVariableW(widen(name).c_str(), value ? widen(*value).c_str() : nullptr);
}

}  // namespace korvix
