// The JACK program's editor: its window and the event loop of the editor thread (the main
// thread). Without a usable editor window the program runs headless: the same loop, with the
// same 30 ms idle step, and nothing to draw. [main-thread] (the editor thread), except
// requestQuit ([any-thread]).
#pragma once

#include "skein/IdleCallback.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace Orvane {

class EditorHolder;

// What the editor's host record gets: the program's callbacks, the window's setting and the
// parameters' first values.
struct StandaloneEditorSetup {
    double sampleRate = 0.0;
    // The plug-in instance, for the editor's record; the groove panel does not use it.
    void* processor = nullptr;
    // Native X window to embed the editor into; 0 for a window of its own.
    uintptr_t parentWindow = 0;
    void* callbacksPtr = nullptr;
    void (*setParameter)(void* callbacksPtr, uint32_t index, float value) = nullptr;
    void (*sendNote)(void* callbacksPtr, uint8_t channel, uint8_t note, uint8_t velocity) = nullptr;
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

    // [main-thread] Shows the window titled `title` and runs the loop, calling `idleStep` every
    // 30 ms, until the window closes, close() or requestQuit().
    void run(const char* title, Skein::IdleCallback& idleStep);
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

    bool makeEditor(const StandaloneEditorSetup& setup);
    bool isQuitRequested();
    void runHeadless(Skein::IdleCallback& idleStep);
};

} // namespace Orvane
