// Saves an instance's parameter values as the NUL-separated key/value byte stream that ends with
// 0xFE. [main-thread]
#pragma once

#include "ClapState.h"
#include "PluginAdapter.h"

#include <string>

namespace Orvane {

// The whole stream, final 0x00 included.
std::string buildStateBytes(const PluginAdapter& adapter);
// Writes the stream in as many calls as the host needs; false when it refuses or fails.
bool writeState(const PluginAdapter& adapter, const clap_ostream_t& stream);

} // namespace Orvane
