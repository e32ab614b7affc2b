// The reasons a JACK client could not be opened, as the lines the program prints. Main thread.
#pragma once

#include <string>

namespace Orvane {

// One line per set bit in JACK's order, each ending ";\n", the last one ending ".\n" instead;
// empty when no known bit is set.
std::string jackStatusReasons(int status);

} // namespace Orvane
