#include "platform/environment.h"

#include <windows.h>

#include "platform/text_win32.h"

namespace korvix {

std::optional<std::string> env_var(const char* name) {
  std::wstring wide_name = widen(name);
  // The first call asks for the size; values may change between calls, so loop.
  std::wstring value(256, L'\0');
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    DWORD length = GetEnvironmentVariableW(wide_name.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) {
      if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (length < value.size()) {
      value.resize(length);
      return narrow(value);
    }
    value.resize(length);
  }
}

}  // namespace korvix
