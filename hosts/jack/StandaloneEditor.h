// The JACK program's editor: its window and the event loop of the editor thread (the main
// thread). Without a usable editor window the program runs headless: the same loop, with the
// same 30 ms idle step, and nothing to draw. Editor thread, except requestQuit (any thread).
#pragma once

#include "skein/IdleCallback.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

namespace Orvane {

class UI;
struct editorLink;

// What the editor's host record gets: the program's callbacks and the window's setting.
struct StandaloneEditorSetup {
    double sampleRate = 0.0;
    // The plug-in instance, for the editor's record; the groove panel does not use it.
    void* processor = nullptr;
    // Native X window to embed the editor into; 0 for a window of its own.
    uintptr_t parentWindow = 0;
    void* callbacksPtr = nullptr;
    void (*setParameter)(void* callbacksPtr, uint32_t index, float value) = nullptr;
    void (*sendNote)(void* callbacksPtr, uint8_t channel, uint8_t note, uint8_t velocity) = nullptr;
};

class StandaloneEditor {
public:
    // Makes the editor window when it can; otherwise prints one line saying the program runs
    // without its editor.
    explicit StandaloneEditor(const StandaloneEditorSetup& setup);
    ~StandaloneEditor();

    StandaloneEditor(const StandaloneEditor&) = delete;
    StandaloneEditor& operator=(const StandaloneEditor&) = delete;

    bool hasWindow() const noexcept { return fUI != nullptr; }

    // Notifications for the editor (nothing to do without a window).
    void parameterChanged(uint32_t index, float value);
    void monitorValue(uint32_t index, int32_t value);
    void idle();

    // Shows the window titled `title` and runs the loop, calling `idleStep` every 30 ms, until
    // the window closes, close() or requestQuit().
    void run(const char* title, Skein::IdleCallback& idleStep);
    // Closes the window and ends the loop.
    void close();
    // Thread-safe, and makes no X call off the editor thread: the loop ends at its next turn.
    void requestQuit() noexcept;

private:
    static constexpr unsigned kIdlePeriodMs = 30;

    // Both null when headless; the editor goes before its record.
    std::unique_ptr<editorLink> fLink;
    UI* fUI = nullptr;

    std::mutex fQuitMutex;
    std::condition_variable fQuitChanged;
    bool fQuitRequested = false;

    bool makeEditor(const StandaloneEditorSetup& setup);
    bool isQuitRequested();
    void runHeadless(Skein::IdleCallback& idleStep);
};

} // namespace Orvane
