// Not tests: the POSIX side of process_probe.h (named so only this side is built).
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "process_probe.h"

namespace korvix {

namespace {

bool has_ended(long pid) {
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return true;
  // An orphan that died waits as a zombie until whoever adopted it reaps it.
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  size_t name_end = text.rfind(')');
  if (name_end == std::string::npos || name_end + 2 >= text.size()) return true;
  char state = text[name_end + 2];
  return state == 'Z' || state == 'X';
}

}  // namespace

void end_process(long pid) { ::kill(static_cast<pid_t>(pid), SIGKILL); }

bool wait_for_process_end(long pid) {
  auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!has_ended(pid)) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace korvix
