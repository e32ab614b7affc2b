// The connection to the display and the event loop that all windows of a process run on.
// [main-thread], except requestQuit(), which is [any-thread].
#pragma once

namespace Skein {

class IdleCallback;

class Application {
public:
    // Standalone mode owns the loop (runLoop); plug-in mode is pumped by the host.
    explicit Application(bool isStandalone = true);
    virtual ~Application();

    bool isStandalone() const noexcept;
    // Window class for new windows' class hint; "Skein" until set.
    void setWindowClass(const char* name);

    // Processes display events for up to timeoutMs, then calls the idle callbacks once.
    // Without a display it still waits timeoutMs, so loops keep their period.
    void pumpEvents(unsigned timeoutMs);
    // Standalone only: pumps until quitting.
    void runLoop(unsigned idleTimeMs);
    // [any-thread] Off the main thread the quit takes effect in the next pumpEvents.
    void requestQuit();
    bool isQuitting() const noexcept;

    void registerIdleTask(IdleCallback* callback);
    void unregisterIdleTask(IdleCallback* callback);

    // Monotonic seconds since the application was made; 0 without a display.
    double elapsedSeconds() const noexcept;
    // The desktop's scale factor from "Xft.dpi"; 1 without a display or resource.
    double scaleFactor() const noexcept;
    // The factor a new window takes when given `given`: that one when not 0, else
    // "ZEF_SCALE_FACTOR" (at least 1), else the desktop's.
    double windowScaleFactor(double given) const noexcept;

    struct PrivateData;

private:
    PrivateData* const pData;
    friend class Window;

    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
};

} // namespace Skein
