// One editor as a host binding holds it (the CLAP plug-in, the JACK program, the LV2 editor):
// its host record and the editor, made and destroyed in the right order, the first parameter
// values, and the binding's notifications passed on. Each binding keeps only its own policy
// around it (timers, parents, scale, gestures, loops). [main-thread] only: the host's main
// thread, or the program's editor thread.
#pragma once

#include <cstdint>

#include "skein/Geometry.h"
#include "ui/EditorLink.h"

namespace Orvane {

class UI;

// What a binding tells the editor it opens. Every callback gets callbacksPtr first.
struct EditorSetup {
    double sampleRate = 0.0;
    const char* bundlePath = nullptr; // copied
    void* processor = nullptr; // the plug-in instance; the editor does not use it
    uintptr_t parentWindow = 0; // native window to embed into; 0 for a window of its own
    double scaleFactor = 0.0; // 0: the window's choice ("ZEF_SCALE_FACTOR", else the desktop's)
    void* callbacksPtr = nullptr;
    EditParameterFunc editParameter = nullptr;
    SetParameterFunc setParameter = nullptr;
    SetSizeFunc setSize = nullptr;
    SendNoteFunc sendNote = nullptr;
};

class EditorHolder {
public:
    // [main-thread] Connects to the display for the editors it will make; isStandalone: the
    // program runs the event loop itself, else the host's timer pumps it (idle()).
    explicit EditorHolder(bool isStandalone);
    // [main-thread] Closes the editor.
    ~EditorHolder();

    EditorHolder(const EditorHolder&) = delete;
    EditorHolder& operator=(const EditorHolder&) = delete;

    // [main-thread] Makes the editor and hands it `count` first values (index order). False,
    // with no editor, when one is open already, when it gets no native window (no display, no
    // OpenGL, a parent that is gone) or when making it fails; no exception leaves.
    bool open(const EditorSetup& setup, const float* values, uint32_t count) noexcept;
    // [main-thread] Deletes the editor, then its window.
    void close() noexcept;
    bool isOpen() const noexcept { return fUI != nullptr; }

    // [main-thread] The size the editor opens with at `scaleFactor` (0: the window's choice).
    Skein::Size<unsigned> sizeAt(double scaleFactor) const noexcept;

    // [main-thread] A parameter's value for the editor; nothing without one.
    void parameterChanged(uint32_t index, float value);
    // [main-thread] A monitor value for the editor (UI::onMonitorUpdate); nothing without one.
    void monitorValue(uint32_t index, int32_t value);
    // [main-thread] The periodic tick: the window's events (unless the program runs the loop)
    // and the editor's idle work.
    void idle();

    // [main-thread] The editor's window, null while closed.
    PluginWindow* window() const noexcept { return fLink.fWindow.get(); }
    PluginApplication& application() noexcept { return fLink.fApp; }

private:
    // The record outlives every editor made on it; the editor goes first.
    editorLink fLink;
    UI* fUI = nullptr;
};

} // namespace Orvane
