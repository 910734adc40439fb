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

class ChildProcess {
 public:
  ChildProcess();
  // Kills whatever the child left running in its tree, reaps it and closes every handle.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `args[0]` (a bare name is searched the usual way) with the other
  // arguments, never through a shell. Input comes from the null device; output and
  // errors share one pipe. An empty `working_folder` keeps the launcher's folder.
  // On failure returns false and sets `error` to "couldn't start X (error N)", or
  // "CreatePipe failed" when the pipe can't be made.
  bool start(const std::vector<std::string>& args, const std::filesystem::path& working_folder, std::string& error);

  // Blocks for the next bytes of output; returns how many were read, or 0 once every
  // writer has closed the pipe (or the tree was killed).
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
