// Not tests: the Windows side of process_probe.h (named so only this side is built).
#include <windows.h>

#include "process_probe.h"

namespace korvix {

void end_process(long pid) {
  HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(pid));
  if (!process) return;
  TerminateProcess(process, 1);
  CloseHandle(process);
}

bool wait_for_process_end(long pid) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (!process) return true;
  bool ended = WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

}  // namespace korvix
