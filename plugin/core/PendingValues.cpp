// Process-wide settings for the next plug-in instance. Main thread.
#include "PendingValues.h"

namespace Orvane {

uint32_t pendingBufferSize = 0;
double pendingSampleRate = 0.0;
const char* pendingBundlePath = nullptr;
bool pendingMayRequestChanges = false;
bool pendingIsDescriptorOnly = false;
bool pendingIsSelfTest = false;

} // namespace Orvane
