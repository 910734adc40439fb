#include "platform/message_wait_win32.h"

#include <windows.h>

namespace korvix {

void wait_taking_messages(void* handle) {
  HANDLE waited = handle;
  for (;;) {
    DWORD woken = MsgWaitForMultipleObjects(1, &waited, FALSE, INFINITE, QS_ALLINPUT);
    if (woken != WAIT_OBJECT_0 + 1) return;  // signalled, or the wait itself failed
    // Taking a message also answers the messages other threads send to this one.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace korvix
