#include "platform/detached_start.h"

#include "platform/command_line.h"

namespace korvix {

std::string delayed_delete_command(const std::string& path_utf8) {
  return "powershell.exe -NoProfile -WindowStyle Hidden -Command \"$p='" + powershell_single_quoted(path_utf8) +
         "';for($i=0;$i -lt 1800 -and (Test-Path -LiteralPath $p);$i++)"
         "{Remove-Item -LiteralPath $p -Force -ErrorAction SilentlyContinue;Start-Sleep 1}\"";
}

}  // namespace korvix
