// The record that joins an editor to its host: the host fills it before creating the editor
// (createUI, EditorFactory.h) and keeps it alive, unchanged, until the editor is deleted.
// [main-thread] only (the GUI thread); the callbacks are called synchronously from the editor's
// event handling.
#pragma once

#include <cstdint>
#include <memory>

#include "ui/PluginApplication.h"
#include "ui/PluginWindow.h"

namespace Orvane {

// Every callback gets the record's fCallbacksPtr first. Indices already include fParameterOffset.
using EditParameterFunc = void (*)(void* ptr, uint32_t index, bool started);
using SetParameterFunc = void (*)(void* ptr, uint32_t index, float value);
using SetStateFunc = void (*)(void* ptr, const char* key, const char* value);
using SendNoteFunc = void (*)(void* ptr, uint8_t channel, uint8_t note, uint8_t velocity);
using SetSizeFunc = void (*)(void* ptr, unsigned width, unsigned height);
using FileRequestFunc = bool (*)(void* ptr, const char* key);

struct editorLink {
    // isStandalone: the application's mode (true for the standalone program's own loop).
    explicit editorLink(bool isStandalone = false);
    // Closes and deletes the window (delete the editor first), then the application.
    ~editorLink();

    PluginApplication fApp;
    std::unique_ptr<PluginWindow> fWindow; // made by the editor's constructor
    double fSampleRate = 0.0;
    uint32_t fParameterOffset = 0;
    void* fProcessor = nullptr; // the plug-in instance; the editor does not use it
    uint32_t fBgColor = 0;
    uint32_t fFgColor = 0xFFFFFFFF;
    // 0 lets the window choose ("ZEF_SCALE_FACTOR", else the desktop's "Xft.dpi").
    double fScaleFactor = 1.0;
    uintptr_t fParentWindowHandle = 0; // native window to embed into, 0 for a free window
    char* fBundlePath = nullptr; // owned; set with setBundlePath
    bool underConstruction = false; // set by createUI while the editor's constructor runs

    void* fCallbacksPtr = nullptr; // null: no host attached, the window takes no idle tasks
    EditParameterFunc fEditParamCallback = nullptr;
    SetParameterFunc fSetParamCallback = nullptr;
    SetStateFunc fSetStateCallback = nullptr;
    SendNoteFunc fSendNoteCallback = nullptr;
    SetSizeFunc fSetSizeCallback = nullptr;
    FileRequestFunc fFileRequestCallback = nullptr;

    // Copies path (null clears it).
    void setBundlePath(const char* path);

    editorLink(const editorLink&) = delete;
    editorLink& operator=(const editorLink&) = delete;
};

} // namespace Orvane
