// State of an application: display world, quit flags, shown-window count, windows and idle
// callbacks. [main-thread] except the pending-quit flag, which any thread may set.
#pragma once

#include <atomic>
#include <list>
#include <thread>

#include "skein/Application.h"

namespace Skein {

class IdleCallback;
class Window;
class World;

struct Application::PrivateData {
    World* world;
    const bool isStandalone;
    bool isQuitting = false;
    std::atomic<bool> isQuittingInNextCycle{false};
    bool isStarting = true;
    unsigned visibleWindows = 0;
    const std::thread::id mainThreadHandle;
    std::list<Window*> windows;
    std::list<IdleCallback*> idleCallbacks;

    explicit PrivateData(bool standalone);
    ~PrivateData();

    void oneWindowShown() noexcept;
    void oneWindowClosed() noexcept;
    // Sets quitting and closes every window, most recently created first.
    void quitAndCloseWindows();
    void pump(unsigned timeoutMs);
    bool isOnMainThread() const noexcept;
};

} // namespace Skein
