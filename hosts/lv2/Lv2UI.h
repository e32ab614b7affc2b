// The editor of one LV2 instance as the host drives it: the groove panel in the host's X11 window
// (ui:parent), pumped by the host's idle calls (ui:idleInterface). Knob edits go out through the
// host's write function, framed by ui:touch when offered; the host's port events move the knobs.
// Host GUI thread only; the editor never reaches into the plug-in instance.
#pragma once

#include <lv2/core/lv2.h>
#include <lv2/ui/ui.h>

#include <cstdint>
#include <memory>

namespace Orvane {

class UI;
struct editorLink;

class Lv2UI {
public:
    // Null, with one line on standard error, when the host gives no parent window; null when the
    // editor gets no native window (no display).
    static Lv2UI* create(const char* bundlePath, LV2UI_Write_Function write,
        LV2UI_Controller controller, LV2UI_Widget* widget, const LV2_Feature* const* features);
    // Closes any gesture the editor left open, then the editor.
    ~Lv2UI();

    Lv2UI(const Lv2UI&) = delete;
    Lv2UI& operator=(const Lv2UI&) = delete;

    // A control input's value (format 0); anything else is ignored.
    void portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
    // Events, the editor's idle work; 0 while the editor is open.
    int idle();

private:
    LV2UI_Write_Function fWrite;
    LV2UI_Controller fController;
    const LV2UI_Resize* fResize = nullptr;
    const LV2UI_Touch* fTouch = nullptr;
    uint32_t fParameterCount = 0;
    std::unique_ptr<bool[]> fOpenGestures;
    std::unique_ptr<editorLink> fLink;
    UI* fUI = nullptr;

    Lv2UI(LV2UI_Write_Function write, LV2UI_Controller controller);
    bool open(const char* bundlePath, uintptr_t parent, double scaleFactor);
    void editParameter(uint32_t index, bool started);
    void setParameter(uint32_t index, float value);
    void requestSize(unsigned width, unsigned height);
};

} // namespace Orvane
