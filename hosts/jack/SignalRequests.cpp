// SIGINT and SIGTERM raise the close request, SIGUSR1 the save request. The flags are lock-free
// atomics, the only kind of shared state a signal handler may touch.
#include "SignalRequests.h"

#include <signal.h>

#include <atomic>

namespace Orvane {

namespace {

std::atomic<bool> gCloseRequested{false};
std::atomic<bool> gSaveRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void onSignal(int number)
{
    if (number == SIGUSR1)
        gSaveRequested.store(true, std::memory_order_relaxed);
    else
        raiseCloseRequest();
}

} // namespace

void installSignalRequestHandler() noexcept
{
    struct sigaction action = {};
    action.sa_handler = onSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGUSR1, &action, nullptr);
}

void raiseCloseRequest() noexcept
{
    gCloseRequested.store(true, std::memory_order_relaxed);
}

bool isCloseRequested() noexcept
{
    return gCloseRequested.load(std::memory_order_relaxed);
}

bool takeSaveRequest() noexcept
{
    return gSaveRequested.exchange(false, std::memory_order_relaxed);
}

} // namespace Orvane
