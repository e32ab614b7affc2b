// Saves an instance's parameter values through the host's stream, as the saved-state bytes every
// binding writes (SavedState.h). [main-thread]
#pragma once

#include "ClapState.h"
#include "PluginAdapter.h"

namespace Orvane {

// Writes the stream in as many calls as the host needs; false when it refuses or fails.
bool writeState(const PluginAdapter& adapter, const clap_ostream_t& stream);

} // namespace Orvane
