// The JACK program's editor: its window and the event loop of the editor thread (the main
// thread). Without a usable editor window the program runs headless: the same loop, with the
// same 30 ms idle step, and nothing to draw. [main-thread] (the editor thread), except
// requestQuit ([any-thread]).
#pragma once

#include "skein/IdleCallback.h"
#include "ui/EditorHolder.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

namespace Orvane {

// What the editor is opened with: the program's callbacks, the window's setting (scale factor 0:
// the window's choice) and the parameters' first values.
struct StandaloneEditorSetup {
    EditorSetup editor;
    std::vector<float> values; // index order
};

class StandaloneEditor {
public:
    // [main-thread] Makes the editor window when it can; otherwise prints one line saying the
    // program runs without its editor.
    explicit StandaloneEditor(const StandaloneEditorSetup& setup);
    ~StandaloneEditor();

    StandaloneEditor(const StandaloneEditor&) = delete;
    StandaloneEditor& operator=(const StandaloneEditor&) = delete;

    // [main-thread]
    bool hasWindow() const noexcept { return fEditor != nullptr; }

    // [main-thread] Notifications for the editor (nothing to do without a window).
    void parameterChanged(uint32_t index, float value);
    void idle();

    // [main-thread] Titles the window `title` and runs the loop, calling `idleStep` every 30 ms,
    // until close() or requestQuit(), or the window closes. The window shows at once unless
    // `inSession`; there it waits for show(), and closing it only hides it (the session decides
    // when to end).
    void run(const char* title, Skein::IdleCallback& idleStep, bool inSession = false);
    // [main-thread] From the idle step: shows or hides the window, whose loop goes on either way.
    void show(bool shown);
    bool isShown() const noexcept;
    // [main-thread] Closes the window and ends the loop.
    void close();
    // [any-thread] Makes no X call off the editor thread: the loop ends at its next turn.
    void requestQuit() noexcept;

private:
    static constexpr unsigned kIdlePeriodMs = 30;

    // Null when headless.
    std::unique_ptr<EditorHolder> fEditor;

    std::mutex fQuitMutex;
    std::condition_variable fQuitChanged;
    bool fQuitRequested = false;
    // Editor thread only: what the session last asked for.
    bool fShowRequested = false;

    bool makeEditor(const StandaloneEditorSetup& setup);
    bool isQuitRequested();
    // The idle step every 30 ms until a quit, or, with `untilShown`, until show(true).
    void runHeadless(Skein::IdleCallback& idleStep, bool untilShown = false);
};

} // namespace Orvane
