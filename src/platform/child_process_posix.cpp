// A process group stands in for the job object: the child leads a group of its
// own, and killing the group kills every process the child started in it.
#include "platform/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

extern char** environ;

namespace korvix {

namespace {

// After a kill, at most this much output that is already in the pipe is still
// taken: a process that left the group may hold the pipe open and keep writing.
constexpr size_t output_after_kill_limit = 1024 * 1024;

void close_fd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

struct ChildProcess::Handles {
  pid_t pid = -1;  // also the process group
  int output = -1;
  // A byte written here wakes a read blocked on the output after a kill.
  int wake_read = -1;
  int wake_write = -1;
  std::atomic<bool> killed{false};
  size_t read_after_kill = 0;
};

ChildProcess::ChildProcess() : handles_(std::make_unique<Handles>()) {}

ChildProcess::~ChildProcess() {
  Handles& h = *handles_;
  if (h.pid > 0) {
    // Like a job object closing: nothing the child started outlives the run.
    ::kill(-h.pid, SIGKILL);
    ::kill(h.pid, SIGKILL);
    int status = 0;
    while (::waitpid(h.pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  close_fd(h.output);
  close_fd(h.wake_read);
  close_fd(h.wake_write);
}

bool ChildProcess::start(const std::vector<std::string>& args, const std::filesystem::path& working_folder,
                         std::string& error) {
  Handles& h = *handles_;
  // Close-on-exec on both ends: the child gets the write end only through the
  // duplicates below, and children started by other threads get neither.
  int pipe_ends[2];
  if (::pipe2(pipe_ends, O_CLOEXEC) != 0) {
    error = "CreatePipe failed";
    return false;
  }
  int wake_ends[2];
  if (::pipe2(wake_ends, O_CLOEXEC | O_NONBLOCK) != 0) {
    ::close(pipe_ends[0]);
    ::close(pipe_ends[1]);
    error = "CreatePipe failed";
    return false;
  }
  h.output = pipe_ends[0];
  h.wake_read = wake_ends[0];
  h.wake_write = wake_ends[1];

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDERR_FILENO);
  if (!working_folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, working_folder.c_str());

  // A group of its own, no blocked signals, and the signals that the launcher may
  // ignore back to their defaults, so the child behaves as if started from a shell.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawnattr_setpgroup(&attributes, 0);
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  for (int signal : {SIGPIPE, SIGCHLD, SIGHUP, SIGINT, SIGQUIT, SIGTERM}) sigaddset(&signals, signal);
  posix_spawnattr_setsigdefault(&attributes, &signals);

  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  // The result carries the child's exec or chdir failure too; a failed child is
  // reaped by posix_spawnp itself.
  pid_t pid = -1;
  int result = ::posix_spawnp(&pid, args[0].c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_ends[1]);
  if (result != 0) {
    close_fd(h.output);
    error = "couldn't start " + args[0] + " (error " + std::to_string(result) + ")";
    return false;
  }
  h.pid = pid;
  return true;
}

size_t ChildProcess::read(char* buffer, size_t size) {
  Handles& h = *handles_;
  if (h.output < 0) return 0;
  for (;;) {
    bool killed = h.killed.load();
    if (killed && h.read_after_kill >= output_after_kill_limit) return 0;
    pollfd waits[2] = {{h.output, POLLIN, 0}, {h.wake_read, POLLIN, 0}};
    // Once killed, take only what is already there; otherwise wait for output or a kill.
    int ready = killed ? ::poll(waits, 1, 0) : ::poll(waits, 2, -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return 0;
    if (waits[0].revents == 0) {
      if (killed) return 0;
      continue;  // woken by a kill
    }
    ssize_t got = ::read(h.output, buffer, size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return 0;
    if (killed) h.read_after_kill += static_cast<size_t>(got);
    return static_cast<size_t>(got);
  }
}

int ChildProcess::wait() {
  Handles& h = *handles_;
  close_fd(h.output);
  if (h.pid <= 0) return 1;
  // Waited for but not reaped yet: the child's id, and so its group, stays taken
  // until the destructor, so a late kill can't reach an unrelated process.
  siginfo_t info{};
  while (::waitid(P_PID, static_cast<id_t>(h.pid), &info, WEXITED | WNOWAIT) != 0) {
    if (errno != EINTR) return 1;
  }
  if (info.si_code == CLD_EXITED) return info.si_status;
  return h.killed.load() ? 1 : 128 + info.si_status;
}

void ChildProcess::kill_tree() {
  Handles& h = *handles_;
  if (h.pid <= 0) return;
  h.killed.store(true);
  ::kill(-h.pid, SIGKILL);
  ::kill(h.pid, SIGKILL);  // in case the child moved itself to another group
  char byte = 1;
  [[maybe_unused]] ssize_t ignored = ::write(h.wake_write, &byte, 1);
}

}  // namespace korvix
