// Making, feeding and closing one editor for a host binding. Main (editor) thread.
#include "ui/EditorHolder.h"

#include "support/SoftAssert.h"
#include "ui/EditorFactory.h"
#include "ui/UI.h"

namespace Orvane {

EditorHolder::EditorHolder(bool isStandalone) : fLink(isStandalone)
{
}

EditorHolder::~EditorHolder()
{
    close();
}

bool EditorHolder::open(const EditorSetup& setup, const float* values, uint32_t count) noexcept
{
    if (!SOFT_CHECK(fUI == nullptr))
        return false;
    try {
        fLink.fSampleRate = setup.sampleRate;
        fLink.setBundlePath(setup.bundlePath);
        fLink.fProcessor = setup.processor;
        fLink.fParentWindowHandle = setup.parentWindow;
        fLink.fScaleFactor = setup.scaleFactor;
        fLink.fCallbacksPtr = setup.callbacksPtr;
        fLink.fEditParamCallback = setup.editParameter;
        fLink.fSetParamCallback = setup.setParameter;
        fLink.fSetSizeCallback = setup.setSize;
        fLink.fSendNoteCallback = setup.sendNote;
        fUI = createUI(fLink);
        // Without a native window the toolkit has said why; there is nothing to show.
        if (fLink.fWindow == nullptr || fLink.fWindow->nativeWindowHandle() == 0) {
            close();
            return false;
        }
        // The editor was built with its window's OpenGL context current; other editors share
        // this thread.
        fLink.fWindow->leaveContext();
        for (uint32_t i = 0; i < count; ++i)
            fUI->onParameterUpdate(i, values[i]);
        return true;
    } catch (...) {
        // Out of memory, say: the binding learns that there is no editor.
        close();
        return false;
    }
}

void EditorHolder::close() noexcept
{
    delete fUI;
    fUI = nullptr;
    if (fLink.fWindow != nullptr)
        fLink.fWindow->closeWindow();
    fLink.fWindow.reset();
}

Skein::Size<unsigned> EditorHolder::sizeAt(double scaleFactor) const noexcept
{
    return scaledEditorSize(kEditorWidth, kEditorHeight, fLink.fApp.windowScaleFactor(scaleFactor));
}

void EditorHolder::parameterChanged(uint32_t index, float value)
{
    if (fUI != nullptr)
        fUI->onParameterUpdate(index, value);
}

void EditorHolder::monitorValue(uint32_t index, int32_t value)
{
    if (fUI != nullptr)
        fUI->onMonitorUpdate(index, value);
}

void EditorHolder::idle()
{
    if (fUI == nullptr)
        return;
    if (!fLink.fApp.isStandalone())
        fLink.fApp.pumpEvents(0);
    fUI->uiIdle();
}

} // namespace Orvane
