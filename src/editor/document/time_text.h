// Times as the editor writes them: in the transport, the line table and the
// timeline's ruler.
#pragma once

#include <string>

namespace korvix {

// Rounded to hundredths of a second (negative as 0). Precise: "1:05.20" from a
// minute on, else "5.20"; coarse: "1:05" or "5s".
std::string format_time(double ms, bool precise);
// A ruler tick: the coarse form, with the decimals a tick between whole
// seconds needs to be told from its neighbours ("1.5s", "1.25s", "1:01.5").
std::string format_tick_time(double ms);

}  // namespace korvix
