// Process-wide settings that a host binding sets just before it creates a plug-in instance and
// that the Plugin constructor reads. Plain globals: written and read on the thread that creates
// instances (the host's main thread).
#pragma once

#include <cstdint>

namespace Orvane {

extern uint32_t pendingBufferSize;
extern double pendingSampleRate;
extern const char* pendingBundlePath;
extern bool pendingMayRequestChanges;
extern bool pendingIsDescriptorOnly;
extern bool pendingIsSelfTest;

} // namespace Orvane
