#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "platform/file_manager.h"
#include "platform/spawn_attributes_posix.h"

extern char** environ;

namespace korvix {

std::vector<std::string> file_manager_command(const std::filesystem::path& folder) {
  return {"xdg-open", folder.string()};
}

bool show_folder(const std::filesystem::path& folder, std::string& error) {
  std::vector<std::string> args = file_manager_command(folder);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  // Nothing of the launcher's terminal, and a session of its own.
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  set_own_session(attributes);
  pid_t pid = 0;
  int code = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (code != 0) {
    error = "couldn't start " + args[0] + " (" + std::strerror(code) + ")";
    return false;
  }
  // Not waited for; reaped once it ends, so it leaves no zombie behind.
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}

}  // namespace korvix
