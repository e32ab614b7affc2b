// The editor of one LV2 instance as the host drives it: the groove panel in the host's X11 window
// (ui:parent), pumped by the host's idle calls (ui:idleInterface). Knob edits go out through the
// host's write function, framed by ui:touch when offered; the host's port events move the knobs,
// and the DSP's monitor messages on the event output reach the editor as monitor values.
// Host GUI thread only; the editor never reaches into the plug-in instance.
#pragma once

#include "Lv2Uris.h"
#include "ui/EditorHolder.h"

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/ui/ui.h>

#include <cstdint>
#include <vector>

namespace Orvane {

class Lv2UI {
public:
    // Null, with one line on standard error, when the host gives no parent window or no
    // urid:map; null when the editor gets no native window (no display).
    static Lv2UI* create(const char* bundlePath, LV2UI_Write_Function write,
        LV2UI_Controller controller, LV2UI_Widget* widget, const LV2_Feature* const* features);
    // Closes any gesture the editor left open, then the editor.
    ~Lv2UI();

    Lv2UI(const Lv2UI&) = delete;
    Lv2UI& operator=(const Lv2UI&) = delete;

    // A control input's value (format 0), or a monitor message of the event output (format
    // atom:eventTransfer); anything else is ignored.
    void portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
    // Events, the editor's idle work; 0 while the editor is open.
    int idle();

private:
    LV2UI_Write_Function fWrite;
    LV2UI_Controller fController;
    const Lv2Uris fUris;
    const LV2UI_Resize* fResize = nullptr;
    const LV2UI_Touch* fTouch = nullptr;
    // Indexed by parameter; grows with the indices the editor uses.
    std::vector<bool> fOpenGestures;
    EditorHolder fHolder{false};

    Lv2UI(LV2UI_Write_Function write, LV2UI_Controller controller, const LV2_URID_Map* map);
    bool open(const char* bundlePath, uintptr_t parent, double scaleFactor);
    void readMonitor(const LV2_Atom& atom);
    void editParameter(uint32_t index, bool started);
    void setParameter(uint32_t index, float value);
    void requestSize(unsigned width, unsigned height);
};

} // namespace Orvane
