#include "platform/game_process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>

extern char** environ;

namespace korvix {

bool run_game_to_end(const std::filesystem::path& executable, const std::filesystem::path& working_folder,
                     unsigned long& error_number) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, working_folder.c_str());
  // No blocked signals and default handlers, as if started from a shell.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  for (int signal : {SIGPIPE, SIGCHLD, SIGHUP, SIGINT, SIGQUIT, SIGTERM}) sigaddset(&signals, signal);
  posix_spawnattr_setsigdefault(&attributes, &signals);

  // The file itself, never a search of PATH: the game is the one in the install folder.
  std::string path = executable.string();
  char* argv[] = {path.data(), nullptr};
  pid_t pid = -1;
  int result = ::posix_spawn(&pid, path.c_str(), &actions, &attributes, argv, environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (result != 0) {
    error_number = static_cast<unsigned long>(result);
    return false;
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return true;
}

}  // namespace korvix
