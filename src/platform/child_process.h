// One hidden child process: its merged output pipe and the tree of processes it heads.
//
// Windows puts the child in a job object that kills everything in it when closed;
// elsewhere the child leads a process group of its own, which stands in for the job.
// The owner drives one child from one thread: start, read until the end, wait,
// then destroy. `kill_tree` is the only call made from another thread.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace korvix {

// Once the child itself has ended, the output still in the pipe is taken for at
// most this long and up to this size in all; the same size bounds what is taken
// after a kill. A process the child left running may hold the pipe open, and keep
// writing, for ever.
constexpr size_t output_after_end_limit = 1024 * 1024;
constexpr unsigned output_after_end_millis = 2000;

class ChildProcess {
 public:
  ChildProcess();
  // Kills whatever the child left running in its tree, reaps it and closes every handle.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `args[0]` with the other arguments, never through a shell. A bare name
  // is searched on PATH; Windows takes its own programs from the system folder and
  // never searches the launcher's or the current folder. Input comes from the
  // null device; output and errors share one pipe. An empty `working_folder`
  // keeps the launcher's folder.
  // On failure returns false and sets `error` to "couldn't start X (error N)", or
  // "CreatePipe failed" when the pipe can't be made.
  bool start(const std::vector<std::string>& args, const std::filesystem::path& working_folder, std::string& error);

  // Blocks for the next bytes of output; returns how many were read, or 0 once every
  // writer has closed the pipe, once the tree was killed and what was already in
  // the pipe is taken, or once the child itself has ended and the bounds above
  // are reached.
  size_t read(char* buffer, size_t size);

  // Closes the read end and waits for the child itself; its exit code, 1 when the
  // code can't be read or the tree was killed.
  int wait();

  // Kills every process of the tree; safe from any thread while the child is
  // owned, and again after it has ended. Does nothing when the child runs without a
  // tree (its job object couldn't be made).
  void kill_tree();

  struct Handles;

 private:
  std::unique_ptr<Handles> handles_;
};

}  // namespace korvix
