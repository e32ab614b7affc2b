// The editor window and the editor thread's loop of the JACK program. Editor thread, except
// requestQuit.
#include "StandaloneEditor.h"

#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>

namespace Orvane {

// A display that cannot be opened (none set, or its server unreachable) means no editor; asked
// before the toolkit is, which would report the failure as a fault of its own. The probe stays
// open until the toolkit has its connection: a server may refuse a connection made just after
// another one closed.
StandaloneEditor::StandaloneEditor(const StandaloneEditorSetup& setup)
{
    // The toolkit's standalone mode needs a thread-safe Xlib; that must come before any display.
    XInitThreads();
    Display* const probe = XOpenDisplay(nullptr);
    if (probe == nullptr) {
        std::fprintf(stderr,
            "No usable X display: running without the editor, as a JACK client "
            "only\n");
        return;
    }
    if (!makeEditor(setup))
        std::fprintf(stderr,
            "No editor window: running without the editor, as a JACK client "
            "only\n");
    XCloseDisplay(probe);
}

StandaloneEditor::~StandaloneEditor() = default;

// Without a native view (no OpenGL, or a parent that is not there) the toolkit has said why, and
// the program goes on headless.
bool StandaloneEditor::makeEditor(const StandaloneEditorSetup& setup)
{
    auto editor = std::make_unique<EditorHolder>(true);
    if (!editor->open(
            setup.editor, setup.values.data(), static_cast<uint32_t>(setup.values.size())))
        return false;
    fEditor = std::move(editor);
    return true;
}

void StandaloneEditor::parameterChanged(uint32_t index, float value)
{
    if (fEditor != nullptr)
        fEditor->parameterChanged(index, value);
}

// A hidden window is not drawn: outside the toolkit's loop nothing would take its events.
void StandaloneEditor::idle()
{
    if (isShown())
        fEditor->idle();
}

void StandaloneEditor::run(const char* title, Skein::IdleCallback& idleStep, bool inSession)
{
    if (fEditor == nullptr) {
        runHeadless(idleStep);
        return;
    }
    // A quit asked for before the window shows would be undone by showing it.
    if (isQuitRequested())
        return;
    PluginWindow& window = *fEditor->window();
    window.setCaption(title);
    PluginApplication& app = fEditor->application();
    fShowRequested = !inSession;
    // The toolkit's loop ends when its last window closes; hidden, the headless loop keeps the
    // idle step going until the session shows the window again.
    for (;;) {
        if (fShowRequested) {
            window.makeVisible(); // raised too
            app.registerIdleTask(&idleStep);
            app.runLoop(kIdlePeriodMs);
            app.unregisterIdleTask(&idleStep);
            fShowRequested = false;
        } else {
            runHeadless(idleStep, true);
        }
        if (isQuitRequested() || !inSession)
            return;
    }
}

void StandaloneEditor::show(bool shown)
{
    if (fEditor == nullptr)
        return;
    // Shown at once, so that the answer to the session is true; the headless loop then ends
    // after this idle step. Closing the window ends the toolkit's loop.
    fShowRequested = shown;
    if (shown == isShown())
        return;
    if (shown)
        fEditor->window()->makeVisible();
    else
        fEditor->window()->closeWindow();
}

// An embedded editor is shown as long as its host window is.
bool StandaloneEditor::isShown() const noexcept
{
    const PluginWindow* const window = fEditor != nullptr ? fEditor->window() : nullptr;
    return window != nullptr && (window->isEmbed() || window->isVisible());
}

void StandaloneEditor::close()
{
    if (fEditor != nullptr)
        fEditor->window()->closeWindow();
    requestQuit();
}

void StandaloneEditor::requestQuit() noexcept
{
    {
        const std::lock_guard<std::mutex> lock(fQuitMutex);
        fQuitRequested = true;
    }
    fQuitChanged.notify_all();
    // Off the editor thread the application only raises a flag; its loop closes the window.
    if (fEditor != nullptr)
        fEditor->application().requestQuit();
}

bool StandaloneEditor::isQuitRequested()
{
    const std::lock_guard<std::mutex> lock(fQuitMutex);
    return fQuitRequested;
}

// The period is a timer, not a synchronisation: a quit request (or, `untilShown`, a show) ends
// the wait at once.
void StandaloneEditor::runHeadless(Skein::IdleCallback& idleStep, bool untilShown)
{
    std::unique_lock<std::mutex> lock(fQuitMutex);
    const auto done = [&] { return fQuitRequested || (untilShown && fShowRequested); };
    while (!done()) {
        if (fQuitChanged.wait_for(lock, std::chrono::milliseconds(kIdlePeriodMs), done))
            break;
        lock.unlock();
        idleStep.onIdleTick();
        lock.lock();
    }
}

} // namespace Orvane
