#include "support/scoped_env.h"

#include <utility>

#include "platform/environment.h"

namespace korvix {

ScopedEnv::ScopedEnv(std::string name, std::optional<std::string> value)
    : name_(std::move(name)), saved_(env_var(name_.c_str())) {
  set(value);
}

ScopedEnv::~ScopedEnv() { set_process_env(name_, saved_); }

void ScopedEnv::set(const std::optional<std::string>& value) { set_process_env(name_, value); }

}  // namespace korvix
