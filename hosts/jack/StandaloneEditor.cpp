// The editor window and the editor thread's loop of the JACK program. Editor thread, except
// requestQuit.
#include "StandaloneEditor.h"

#include "ui/EditorFactory.h"

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

StandaloneEditor::~StandaloneEditor()
{
    delete fUI;
}

// The window exists once the editor is built; without a native view (no OpenGL, or a parent
// that is not there) the toolkit has said why, and the program goes on headless.
bool StandaloneEditor::makeEditor(const StandaloneEditorSetup& setup)
{
    auto link = std::make_unique<editorLink>(true);
    link->fApp.setWindowClass("Orvane-Vantorel");
    link->fSampleRate = setup.sampleRate;
    link->fProcessor = setup.processor;
    link->fScaleFactor = 0.0; // the window's own choice
    link->fParentWindowHandle = setup.parentWindow;
    link->fCallbacksPtr = setup.callbacksPtr;
    link->fSetParamCallback = setup.setParameter;
    link->fSendNoteCallback = setup.sendNote;
    UI* const ui = createUI(*link);
    if (link->fWindow == nullptr || link->fWindow->nativeWindowHandle() == 0) {
        delete ui;
        return false;
    }
    link->fWindow->leaveContext();
    fLink = std::move(link);
    fUI = ui;
    return true;
}

void StandaloneEditor::parameterChanged(uint32_t index, float value)
{
    if (fUI != nullptr)
        fUI->onParameterUpdate(index, value);
}

void StandaloneEditor::monitorValue(uint32_t index, int32_t value)
{
    if (fUI != nullptr)
        fUI->onMonitorUpdate(index, value);
}

void StandaloneEditor::idle()
{
    if (fUI != nullptr)
        fUI->uiIdle();
}

void StandaloneEditor::run(const char* title, Skein::IdleCallback& idleStep)
{
    if (fUI == nullptr) {
        runHeadless(idleStep);
        return;
    }
    // A quit asked for before the window shows would be undone by showing it.
    if (isQuitRequested())
        return;
    PluginWindow& window = *fLink->fWindow;
    window.setCaption(title);
    window.makeVisible(); // raised too
    fLink->fApp.registerIdleTask(&idleStep);
    fLink->fApp.runLoop(kIdlePeriodMs);
    fLink->fApp.unregisterIdleTask(&idleStep);
}

void StandaloneEditor::close()
{
    if (fLink != nullptr)
        fLink->fWindow->closeWindow();
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
    if (fLink != nullptr)
        fLink->fApp.requestQuit();
}

bool StandaloneEditor::isQuitRequested()
{
    const std::lock_guard<std::mutex> lock(fQuitMutex);
    return fQuitRequested;
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
