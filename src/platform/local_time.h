// The local wall-clock time, for names of files the user looks for (job logs).
#pragma once

#include <ctime>
#include <string>

namespace korvix {

// `moment` formatted with strftime in the local time zone; empty when the
// system can't convert it.
std::string format_local_time(std::time_t moment, const char* format);

}  // namespace korvix
