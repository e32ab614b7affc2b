// The editor window and the editor thread's loop of the JACK program. Editor thread, except
// requestQuit.
//
// The editor window joins here: the constructor fills the editor's host record from `setup`
// (class name "Orvane-Vantorel", standalone application) and makes the editor; run() gives the
// window its title, shows and raises it, registers `idleStep` with the application and runs its
// loop with a 30 ms idle period; parameterChanged() and idle() forward to the editor's
// onParameterUpdate and idle notifications; close() closes the window and asks the application
// to quit; requestQuit() also asks the application (thread-safe). Until then every run is headless.
#include "StandaloneEditor.h"

#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>

namespace Orvane {

namespace {

// A display that cannot be opened (none set, or its server unreachable) means no editor.
bool isDisplayUsable()
{
    Display* const display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    XCloseDisplay(display);
    return true;
}

} // namespace

StandaloneEditor::StandaloneEditor(const StandaloneEditorSetup&)
{
    std::fprintf(stderr, "%s: running without the editor, as a JACK client only\n",
        isDisplayUsable() ? "No editor in this build" : "No usable X display");
}

StandaloneEditor::~StandaloneEditor() = default;

bool StandaloneEditor::hasWindow() const noexcept
{
    return false;
}

void StandaloneEditor::parameterChanged(uint32_t, float)
{
}

void StandaloneEditor::idle()
{
}

void StandaloneEditor::run(const char*, Skein::IdleCallback& idleStep)
{
    runHeadless(idleStep);
}

void StandaloneEditor::close()
{
    requestQuit();
}

void StandaloneEditor::requestQuit() noexcept
{
    {
        const std::lock_guard<std::mutex> lock(fQuitMutex);
        fQuitRequested = true;
    }
    fQuitChanged.notify_all();
}

// The period is a timer, not a synchronisation: a quit request ends the wait at once.
void StandaloneEditor::runHeadless(Skein::IdleCallback& idleStep)
{
    std::unique_lock<std::mutex> lock(fQuitMutex);
    while (!fQuitRequested) {
        if (fQuitChanged.wait_for(
                lock, std::chrono::milliseconds(kIdlePeriodMs), [this] { return fQuitRequested; }))
            break;
        lock.unlock();
        idleStep.onIdleTick();
        lock.lock();
    }
}

} // namespace Orvane
