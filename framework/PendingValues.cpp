// Process-wide settings for the next plug-in instance and the mutex that guards them. Any thread.
#include "PendingValues.h"

namespace Orvane {

uint32_t pendingBufferSize = 0;
double pendingSampleRate = 0.0;
const char* pendingBundlePath = nullptr;
bool pendingMayRequestChanges = false;
bool pendingIsDescriptorOnly = false;
bool pendingIsSelfTest = false;

std::mutex& pendingValuesMutex() noexcept
{
    static std::mutex mutex;
    return mutex;
}

} // namespace Orvane
