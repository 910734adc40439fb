#include "platform/detached_start.h"

namespace korvix {

std::string delayed_delete_command(const std::string& path_utf8) {
  // Inside a single-quoted PowerShell string a single quote is written twice.
  std::string quoted;
  for (char c : path_utf8) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return "powershell.exe -NoProfile -WindowStyle Hidden -Command \"$p='" + quoted +
         "';for($i=0;$i -lt 1800 -and (Test-Path -LiteralPath $p);$i++)"
         "{Remove-Item -LiteralPath $p -Force -ErrorAction SilentlyContinue;Start-Sleep 1}\"";
}

}  // namespace korvix
