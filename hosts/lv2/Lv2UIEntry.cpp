// The editor library's one exported symbol, lv2ui_descriptor, and the C entry points that turn
// calls on an LV2UI_Handle into calls on one Lv2UI. Host GUI thread only.
#include "Lv2UI.h"
#include "Lv2Uris.h"

#include <lv2/ui/ui.h>

#include <cstring>

namespace Orvane {

namespace {

Lv2UI* self(LV2UI_Handle handle) noexcept
{
    return static_cast<Lv2UI*>(handle);
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char*, const char* bundlePath,
    LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
    const LV2_Feature* const* features)
{
    try {
        return Lv2UI::create(bundlePath, write, controller, widget, features);
    } catch (...) {
        return nullptr;
    }
}

void cleanup(LV2UI_Handle handle)
{
    delete self(handle);
}

void portEvent(
    LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
    self(handle)->portEvent(port, size, format, buffer);
}

int idle(LV2UI_Handle handle)
{
    return self(handle)->idle();
}

const LV2UI_Idle_Interface idleInterface = {idle};

const void* extensionData(const char* uri)
{
    if (std::strcmp(uri, LV2_UI__idleInterface) == 0)
        return &idleInterface;
    return nullptr;
}

const LV2UI_Descriptor descriptor = {kLv2UiUri, instantiate, cleanup, portEvent, extensionData};

} // namespace

} // namespace Orvane

extern "C" LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index)
{
    return index == 0 ? &Orvane::descriptor : nullptr;
}
