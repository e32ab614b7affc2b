// Public face of the application: event loop entry points, quit requests and idle callbacks.
// Main thread, except requestQuit().
#include "skein/Application.h"

#include <algorithm>
#include <cstdlib>

#include "ApplicationPrivateData.h"
#include "SizeRules.h"
#include "World.h"
#include "support/SoftAssert.h"

namespace Skein {

namespace {
constexpr const char* kFile = "src/Application";
}

Application::Application(bool isStandalone) : pData(new PrivateData(isStandalone))
{
}

Application::~Application()
{
    delete pData;
}

bool Application::isStandalone() const noexcept
{
    return pData->isStandalone;
}

void Application::setWindowClass(const char* name)
{
    SOFT_ASSERT_RETURN(name != nullptr && name[0] != '\0', kFile, 168, );
    if (pData->world != nullptr)
        pData->world->setClassName(name);
}

void Application::pumpEvents(unsigned timeoutMs)
{
    pData->pump(timeoutMs);
}

void Application::runLoop(unsigned idleTimeMs)
{
    SOFT_ASSERT_RETURN(pData->isStandalone, kFile, 51, );
    while (!pData->isQuitting)
        pData->pump(idleTimeMs);
}

void Application::requestQuit()
{
    // Windows are closed only on the main thread; any other thread leaves that to the next pump,
    // even when a quit is already pending.
    if (pData->isOnMainThread()) {
        pData->quitAndCloseWindows();
        pData->isQuittingInNextCycle.store(false);
        return;
    }
    pData->isQuittingInNextCycle.store(true);
}

bool Application::isQuitting() const noexcept
{
    return pData->isQuitting || pData->isQuittingInNextCycle.load();
}

void Application::registerIdleTask(IdleCallback* callback)
{
    SOFT_ASSERT_RETURN(callback != nullptr, kFile, 93, );
    pData->idleCallbacks.push_back(callback);
}

void Application::unregisterIdleTask(IdleCallback* callback)
{
    SOFT_ASSERT_RETURN(callback != nullptr, kFile, __LINE__, );
    pData->idleCallbacks.remove(callback);
}

double Application::elapsedSeconds() const noexcept
{
    return pData->world != nullptr ? pData->world->elapsedSeconds() : 0.0;
}

double Application::scaleFactor() const noexcept
{
    return pData->world != nullptr ? pData->world->scaleFactor() : 1.0;
}

double Application::windowScaleFactor(double given) const noexcept
{
    return chooseScaleFactor(given, std::getenv("ZEF_SCALE_FACTOR"), scaleFactor());
}

} // namespace Skein
