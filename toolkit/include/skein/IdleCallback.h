// Periodic work registered with an application or a window; called on the event-loop thread.
// [main-thread]
#pragma once

namespace Skein {

class IdleCallback {
public:
    virtual ~IdleCallback() = default;
    virtual void onIdleTick() = 0;
};

} // namespace Skein
