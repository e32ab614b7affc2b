// Process-wide settings that a host binding sets just before it creates a plug-in instance and
// that the Plugin constructor reads. A binding whose host may create instances on several threads
// at once holds pendingValuesMutex() from setting them until the instance is constructed.
#pragma once

#include <cstdint>
#include <mutex>

namespace Orvane {

extern uint32_t pendingBufferSize;
extern double pendingSampleRate;
extern const char* pendingBundlePath;
extern bool pendingMayRequestChanges;
extern bool pendingIsDescriptorOnly;
extern bool pendingIsSelfTest;

// [any-thread] Serialises the writers of the pending values and the constructions that read them.
std::mutex& pendingValuesMutex() noexcept;

} // namespace Orvane
