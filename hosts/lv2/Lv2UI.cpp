// The editor holder of one LV2 instance: making, driving and closing the groove panel for the
// host. Host GUI thread only.
#include "Lv2UI.h"

#include "Lv2Ports.h"
#include "VantorelParameters.h"
#include "support/SoftAssert.h"
#include "ui/EditorFactory.h"

#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <cstring>

namespace Orvane {

namespace {

// Beyond this the window would cost hundreds of megabytes of framebuffer for no display.
constexpr double kMaximumScale = 8.0;

const void* findFeature(const LV2_Feature* const* features, const char* uri) noexcept
{
    for (const LV2_Feature* const* f = features; f != nullptr && *f != nullptr; ++f)
        if (std::strcmp((*f)->URI, uri) == 0)
            return (*f)->data;
    return nullptr;
}

// The host's ui:scaleFactor option, or 0 (the window then follows the desktop).
double offeredScale(const LV2_Feature* const* features) noexcept
{
    const auto* const map = static_cast<const LV2_URID_Map*>(findFeature(features, LV2_URID__map));
    const auto* const options =
        static_cast<const LV2_Options_Option*>(findFeature(features, LV2_OPTIONS__options));
    if (map == nullptr || options == nullptr)
        return 0.0;
    const LV2_URID key = map->map(map->handle, LV2_UI__scaleFactor);
    const LV2_URID floatType = map->map(map->handle, LV2_ATOM__Float);
    for (const LV2_Options_Option* o = options; o->key != 0; ++o) {
        if (o->key != key || o->type != floatType || o->size != sizeof(float))
            continue;
        const float scale = *static_cast<const float*>(o->value);
        return std::isfinite(scale) && scale > 0.0f ? std::fmin(scale, kMaximumScale) : 0.0;
    }
    return 0.0;
}

Lv2UI& holderOf(void* ptr) noexcept
{
    return *static_cast<Lv2UI*>(ptr);
}

} // namespace

Lv2UI* Lv2UI::create(const char* bundlePath, LV2UI_Write_Function write,
    LV2UI_Controller controller, LV2UI_Widget* widget, const LV2_Feature* const* features)
{
    const auto parent = reinterpret_cast<uintptr_t>(findFeature(features, LV2_UI__parent));
    if (parent == 0 || write == nullptr || widget == nullptr) {
        Support::printWarning("Vantorel: the LV2 host gave the editor no parent window");
        return nullptr;
    }
    auto* const holder = new Lv2UI(write, controller);
    holder->fResize = static_cast<const LV2UI_Resize*>(findFeature(features, LV2_UI__resize));
    holder->fTouch = static_cast<const LV2UI_Touch*>(findFeature(features, LV2_UI__touch));
    if (!holder->open(bundlePath, parent, offeredScale(features))) {
        delete holder;
        return nullptr;
    }
    *widget = reinterpret_cast<LV2UI_Widget>(holder->fLink->fWindow->nativeWindowHandle());
    return holder;
}

Lv2UI::Lv2UI(LV2UI_Write_Function write, LV2UI_Controller controller)
    : fWrite(write), fController(controller), fParameterCount(kVantorelParameterCount),
      fOpenGestures(new bool[kVantorelParameterCount]())
{
}

Lv2UI::~Lv2UI()
{
    for (uint32_t i = 0; i < fParameterCount; ++i)
        editParameter(i, false);
    delete fUI;
    fLink.reset();
}

bool Lv2UI::open(const char* bundlePath, uintptr_t parent, double scaleFactor)
{
    fLink = std::make_unique<editorLink>(false);
    fLink->setBundlePath(bundlePath);
    fLink->fParentWindowHandle = parent;
    fLink->fScaleFactor = scaleFactor;
    fLink->fCallbacksPtr = this;
    fLink->fEditParamCallback = [](void* ptr, uint32_t index, bool started) {
        holderOf(ptr).editParameter(index, started);
    };
    fLink->fSetParamCallback = [](void* ptr, uint32_t index, float value) {
        holderOf(ptr).setParameter(index, value);
    };
    fLink->fSetSizeCallback = [](void* ptr, unsigned width, unsigned height) {
        holderOf(ptr).requestSize(width, height);
    };
    fUI = createUI(*fLink);
    // Without a display or OpenGL the window has no view, and the host gets no editor.
    if (fLink->fWindow->nativeWindowHandle() == 0)
        return false;
    // Other instances' editors share this thread.
    fLink->fWindow->leaveContext();
    for (uint32_t i = 0; i < fParameterCount; ++i)
        fUI->onParameterUpdate(i, kVantorelParameters[i].defaultValue);
    if (fResize != nullptr && fResize->ui_resize != nullptr)
        fResize->ui_resize(
            fResize->handle, fLink->fWindow->pixelWidth(), fLink->fWindow->pixelHeight());
    return true;
}

void Lv2UI::portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
    if (format != 0 || size != sizeof(float) || buffer == nullptr || port < kLv2FirstControl)
        return;
    const uint32_t index = port - kLv2FirstControl;
    const float value = *static_cast<const float*>(buffer);
    if (index < fParameterCount && std::isfinite(value))
        fUI->onParameterUpdate(index, value);
}

int Lv2UI::idle()
{
    fLink->fApp.pumpEvents(0);
    fUI->uiIdle();
    return fLink->fApp.isQuitting() ? 1 : 0;
}

// Hosts record automation between touch begin and end: one begin per drag, one end.
void Lv2UI::editParameter(uint32_t index, bool started)
{
    if (index >= fParameterCount || fOpenGestures[index] == started)
        return;
    fOpenGestures[index] = started;
    if (fTouch != nullptr && fTouch->touch != nullptr)
        fTouch->touch(fTouch->handle, kLv2FirstControl + index, started);
}

void Lv2UI::setParameter(uint32_t index, float value)
{
    if (index < fParameterCount && std::isfinite(value))
        fWrite(fController, kLv2FirstControl + index, sizeof(float), 0, &value);
}

// Only a host that offers resizing and agrees gets the new size.
void Lv2UI::requestSize(unsigned width, unsigned height)
{
    if (fResize != nullptr && fResize->ui_resize != nullptr &&
        fResize->ui_resize(fResize->handle, static_cast<int>(width), static_cast<int>(height)) == 0)
        fLink->fWindow->setPixelSize(width, height);
}

} // namespace Orvane
