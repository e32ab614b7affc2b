// SIGINT and SIGTERM raise the close request. The flag is a lock-free atomic, the only kind of
// shared state a signal handler may touch.
#include "CloseRequest.h"

#include <signal.h>

#include <atomic>

namespace Orvane {

namespace {

std::atomic<bool> gCloseRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void onCloseSignal(int)
{
    raiseCloseRequest();
}

} // namespace

void installCloseRequestHandler() noexcept
{
    struct sigaction action = {};
    action.sa_handler = onCloseSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void raiseCloseRequest() noexcept
{
    gCloseRequested.store(true, std::memory_order_relaxed);
}

bool isCloseRequested() noexcept
{
    return gCloseRequested.load(std::memory_order_relaxed);
}

} // namespace Orvane
