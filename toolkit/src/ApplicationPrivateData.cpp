// Application state and the pump: quit handling, window bookkeeping, idle callbacks. Main thread.
#include "ApplicationPrivateData.h"

#include <cerrno>
#include <ctime>
#include <vector>

#include "World.h"
#include "skein/IdleCallback.h"
#include "skein/Window.h"
#include "support/SoftAssert.h"

namespace Skein {

namespace {
constexpr const char* kFile = "src/ApplicationPrivateData";

void sleepMilliseconds(unsigned ms) noexcept
{
    timespec remaining{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    // Resumes after signals; any other failure ends the wait rather than spinning.
    while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}
} // namespace

Application::PrivateData::PrivateData(bool standalone)
    : world(World::open(standalone)), isStandalone(standalone),
      mainThreadHandle(std::this_thread::get_id())
{
    if (world == nullptr) {
        Support::reportAssertion("world != nullptr", kFile, 67);
        return;
    }
    world->setClassName("Skein");
}

Application::PrivateData::~PrivateData()
{
    if (!isStarting && !isQuitting)
        Support::reportAssertion("isStarting || isQuitting", kFile, 79);
    if (visibleWindows != 0)
        Support::reportAssertion("visibleWindows == 0", kFile, 80);
    windows.clear();
    idleCallbacks.clear();
    delete world;
}

void Application::PrivateData::oneWindowShown() noexcept
{
    if (visibleWindows == 0) {
        isQuitting = false;
        isStarting = false;
    }
    ++visibleWindows;
}

void Application::PrivateData::oneWindowClosed() noexcept
{
    SOFT_ASSERT_RETURN(visibleWindows != 0, kFile, 102, );
    if (--visibleWindows == 0)
        isQuitting = true;
}

void Application::PrivateData::quitAndCloseWindows()
{
    isQuitting = true;
    // A window may remove itself from the list while closing.
    const std::vector<Window*> snapshot(windows.rbegin(), windows.rend());
    for (Window* window : snapshot)
        window->closeWindow();
}

void Application::PrivateData::pump(unsigned timeoutMs)
{
    if (isQuittingInNextCycle.load()) {
        quitAndCloseWindows();
        isQuittingInNextCycle.store(false);
    }
    if (world != nullptr)
        world->update(timeoutMs * 0.001);
    else
        sleepMilliseconds(timeoutMs);
    // A callback may unregister itself or others while running.
    const std::vector<IdleCallback*> snapshot(idleCallbacks.begin(), idleCallbacks.end());
    for (IdleCallback* callback : snapshot) {
        for (IdleCallback* registered : idleCallbacks)
            if (registered == callback) {
                callback->onIdleTick();
                break;
            }
    }
}

bool Application::PrivateData::isOnMainThread() const noexcept
{
    return std::this_thread::get_id() == mainThreadHandle;
}

} // namespace Skein
