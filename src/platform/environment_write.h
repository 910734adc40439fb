// Changing this process's environment (tests point the folders at temporary ones).
#pragma once

#include <optional>
#include <string>

namespace korvix {

// Sets the variable to the UTF-8 value, or removes it when there is none.
bool set_env_var(const char* name, const std::optional<std::string>& value);

}  // namespace korvix
