// A process group stands in for the job object: the child leads a group of its
// own, and killing the group kills every process the child started in it.
//
// A read waits for output, for a kill and for the child's own end (through a
// process file descriptor where the kernel has them, else by looking now and
// then), because a process the child left running may hold the pipe open for ever.
#include "platform/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>

extern char** environ;

namespace korvix {

namespace {

using Clock = std::chrono::steady_clock;

// Without a process descriptor, how often a read looks whether the child has ended.
constexpr int exit_check_millis = 50;

void close_fd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// A descriptor that becomes readable when the process ends, or -1.
int open_exit_watch(pid_t pid) {
#ifdef SYS_pidfd_open
  int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  if (fd >= 0) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  return fd;
#else
  (void)pid;
  return -1;
#endif
}

// Whether the child has ended, leaving it unreaped.
bool has_ended(pid_t pid) {
  siginfo_t info{};
  if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0) return errno != EINTR;
  return info.si_pid == pid;
}

}  // namespace

struct ChildProcess::Handles {
  pid_t pid = -1;  // also the process group
  int output = -1;
  // A byte written here wakes a read blocked on the output after a kill.
  int wake_read = -1;
  int wake_write = -1;
  int exit_watch = -1;  // readable once the child has ended
  std::atomic<bool> killed{false};
  bool ended = false;  // the reader has noticed the child's own end
  Clock::time_point end_deadline;
  size_t taken_after_end = 0;
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
  close_fd(h.exit_watch);
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
  h.exit_watch = open_exit_watch(pid);
  return true;
}

size_t ChildProcess::read(char* buffer, size_t size) {
  Handles& h = *handles_;
  if (h.output < 0) return 0;
  for (;;) {
    bool killed = h.killed.load();
    if (killed || h.ended) {
      if (h.taken_after_end >= output_after_end_limit) return 0;
      size = std::min(size, output_after_end_limit - h.taken_after_end);
    }
    // Killed: take only what is already there. Ended: wait for the rest until the
    // deadline. Otherwise wait for output, a kill or the child's end.
    int timeout = -1;
    if (killed) {
      timeout = 0;
    } else if (h.ended) {
      auto left = std::chrono::ceil<std::chrono::milliseconds>(h.end_deadline - Clock::now()).count();
      if (left <= 0) return 0;
      timeout = static_cast<int>(left);
    } else if (h.exit_watch < 0) {
      timeout = exit_check_millis;
    }
    pollfd waits[3] = {{h.output, POLLIN, 0}, {h.wake_read, POLLIN, 0}, {h.exit_watch, POLLIN, 0}};
    nfds_t count = killed ? 1 : (h.ended || h.exit_watch < 0) ? 2 : 3;
    int ready = ::poll(waits, count, timeout);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return 0;
    if (!killed && !h.ended && (count == 3 ? waits[2].revents != 0 : has_ended(h.pid))) {
      h.ended = true;
      h.end_deadline = Clock::now() + std::chrono::milliseconds(output_after_end_millis);
    }
    if (waits[0].revents == 0) {
      if (killed) return 0;
      continue;  // woken by a kill or the child's end, or time to look again
    }
    ssize_t got = ::read(h.output, buffer, size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return 0;
    if (killed || h.ended) h.taken_after_end += static_cast<size_t>(got);
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
