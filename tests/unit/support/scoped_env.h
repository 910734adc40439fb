// Test helper: sets or removes an environment variable of this process and puts
// the old state back when it goes out of scope. Names and values are UTF-8 (wide
// on Windows), so tests that use it build and run on both platforms.
#pragma once

#include <optional>
#include <string>

namespace korvix {

class ScopedEnv {
 public:
  // Removes the variable when `value` is nothing.
  ScopedEnv(std::string name, std::optional<std::string> value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

  void set(const std::optional<std::string>& value);

 private:
  std::string name_;
  std::optional<std::string> saved_;
};

// The system call behind ScopedEnv, one per platform.
void set_process_env(const std::string& name, const std::optional<std::string>& value);

}  // namespace korvix
