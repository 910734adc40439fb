#include "platform/environment.h"

namespace korvix {

std::string env_or_empty(const char* name) { return env_var(name).value_or(std::string()); }

bool env_is_set(const char* name) { return env_var(name).has_value(); }

}  // namespace korvix
