// While Play waits for the game, the launcher's thread keeps answering messages:
// a program that sends one to every window must not stall until the game ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/command_line.h"
#include "platform/executable_path.h"
#include "platform/message_wait_win32.h"
#include "platform/paths.h"

namespace korvix {
namespace {

// A stand-in game: the child test program sleeping for `seconds`.
HANDLE start_sleeping_game(int seconds) {
  std::filesystem::path tool = running_executable_path().parent_path() / KORVIX_CHILD_TOOL_NAME;
  std::wstring command = quote_command_line({to_utf8(tool), "sleep", std::to_string(seconds)});
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(tool.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &process))
    return nullptr;
  CloseHandle(process.hThread);
  return process.hProcess;
}

bool still_running(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

TEST(GameWaitWin32, MessagesAreAnsweredWhileTheGameRunsAndTheWaitEndsWithIt) {
  // A window of the waiting thread, as the launcher's hidden window is.
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  HANDLE game = start_sleeping_game(4);
  ASSERT_NE(game, nullptr);

  // One program sends and waits for the answer; another keeps posting.
  std::atomic<bool> answered_while_running{false};
  std::thread sender([&] {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 20000, &result) != 0)
      answered_while_running = still_running(game);
  });
  std::atomic<bool> waiting{true};
  std::atomic<bool> posted_until_the_end{false};
  std::thread poster([&] {
    for (int i = 0; i < 3000 && waiting; ++i) {
      PostMessageW(window, WM_NULL, 0, 0);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    posted_until_the_end = !waiting;
  });

  wait_taking_messages(game);
  bool ended = !still_running(game);
  waiting = false;
  sender.join();
  poster.join();
  EXPECT_TRUE(ended) << "the wait returned before the game ended";
  EXPECT_TRUE(answered_while_running) << "a sent message waited for the game";
  EXPECT_TRUE(posted_until_the_end) << "the wait only ended once the messages stopped";
  CloseHandle(game);
  DestroyWindow(window);
}

}  // namespace
}  // namespace korvix
