#include "platform/system_error.h"

#include <windows.h>

#include "platform/text_win32.h"

namespace korvix {

std::string system_error_text(unsigned long code) {
  wchar_t* buffer = nullptr;
  DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring raw = length && buffer ? std::wstring(buffer, length) : std::wstring();
  if (buffer) LocalFree(buffer);
  // Some system texts span several lines; the player gets one.
  std::wstring text;
  for (wchar_t c : raw) {
    bool line_break = c == L'\r' || c == L'\n';
    if (!line_break) {
      text += c;
    } else if (!text.empty() && text.back() != L' ') {
      text += L' ';
    }
  }
  while (!text.empty() && (text.back() == L' ' || text.back() == L'.')) text.pop_back();
  if (text.empty()) return "error " + std::to_string(code);
  return narrow(text);
}

}  // namespace korvix
