// Display-level state shared by all windows of one application (connection, atoms, input method,
// server-time timers, scale factor). Declared here without platform types; the platform layer
// (x11/) implements it. Event-loop thread only.
#pragma once

#include <string>

namespace Skein {

class World {
public:
    // Null when the display cannot be opened.
    static World* open(bool standalone);
    ~World();

    bool isStandalone() const noexcept;
    double scaleFactor() const noexcept;
    double elapsedSeconds() const noexcept;
    void setClassName(const char* name);
    const std::string& className() const noexcept;

    // Processes events for up to timeoutSeconds (negative: block until one arrives), then lets
    // each view deliver its collected configure and expose.
    void update(double timeoutSeconds);
    // Waits at most maxWaitSeconds for the display, dispatches what is queued; no configure or
    // expose delivery. Used while a clipboard transfer is in flight.
    void dispatchAvailable(double maxWaitSeconds);

    struct Impl;
    Impl* impl() const noexcept { return pImpl; }

private:
    explicit World(Impl* impl) noexcept : pImpl(impl) { }
    Impl* const pImpl;

    World(const World&) = delete;
    World& operator=(const World&) = delete;
};

} // namespace Skein
