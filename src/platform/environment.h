// Environment variables, read in their wide form on Windows and handed out as UTF-8.
#pragma once

#include <optional>
#include <string>

namespace korvix {

// The variable's value, or nothing when it is unset. An empty value is "set".
std::optional<std::string> env_var(const char* name);

// The value, or the empty text when unset.
std::string env_or_empty(const char* name);

bool env_is_set(const char* name);

}  // namespace korvix
