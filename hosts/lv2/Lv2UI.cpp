// The editor holder of one LV2 instance: making, driving and closing the groove panel for the
// host. Host GUI thread only.
#include "Lv2UI.h"

#include "Lv2Features.h"
#include "Lv2Ports.h"
#include "support/SoftAssert.h"

#include <lv2/atom/atom.h>
#include <lv2/atom/util.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <cmath>

namespace Orvane {

namespace {

// Beyond this the window would cost hundreds of megabytes of framebuffer for no display.
constexpr double kMaximumScale = 8.0;

// The host's ui:scaleFactor option, or 0 (the window then follows the desktop).
double offeredScale(const LV2_Feature* const* features, const LV2_URID_Map& map) noexcept
{
    const auto* const options =
        static_cast<const LV2_Options_Option*>(findLv2Feature(features, LV2_OPTIONS__options));
    if (options == nullptr)
        return 0.0;
    const LV2_URID key = map.map(map.handle, LV2_UI__scaleFactor);
    const LV2_URID floatType = map.map(map.handle, LV2_ATOM__Float);
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
    const auto parent = reinterpret_cast<uintptr_t>(findLv2Feature(features, LV2_UI__parent));
    const auto* const map =
        static_cast<const LV2_URID_Map*>(findLv2Feature(features, LV2_URID__map));
    if (parent == 0 || map == nullptr || write == nullptr || widget == nullptr) {
        Support::printWarning(
            "Vantorel: the LV2 host gave the editor no parent window or urid:map");
        return nullptr;
    }
    auto* const editor = new Lv2UI(write, controller, map);
    editor->fResize = static_cast<const LV2UI_Resize*>(findLv2Feature(features, LV2_UI__resize));
    editor->fTouch = static_cast<const LV2UI_Touch*>(findLv2Feature(features, LV2_UI__touch));
    if (!editor->open(bundlePath, parent, offeredScale(features, *map))) {
        delete editor;
        return nullptr;
    }
    *widget = reinterpret_cast<LV2UI_Widget>(editor->fHolder.window()->nativeWindowHandle());
    return editor;
}

Lv2UI::Lv2UI(LV2UI_Write_Function write, LV2UI_Controller controller, const LV2_URID_Map* map)
    : fWrite(write), fController(controller), fUris(map)
{
}

Lv2UI::~Lv2UI()
{
    for (uint32_t i = 0; i < fOpenGestures.size(); ++i)
        editParameter(i, false);
}

// The editor starts from the parameters' defaults; the host sends every control port's value
// right after instantiation.
bool Lv2UI::open(const char* bundlePath, uintptr_t parent, double scaleFactor)
{
    EditorSetup setup;
    setup.bundlePath = bundlePath;
    setup.parentWindow = parent;
    setup.scaleFactor = scaleFactor;
    setup.callbacksPtr = this;
    setup.editParameter = [](void* ptr, uint32_t index, bool started) {
        holderOf(ptr).editParameter(index, started);
    };
    setup.setParameter = [](void* ptr, uint32_t index, float value) {
        holderOf(ptr).setParameter(index, value);
    };
    setup.setSize = [](void* ptr, unsigned width, unsigned height) {
        holderOf(ptr).requestSize(width, height);
    };
    if (!fHolder.open(setup, nullptr, 0))
        return false;
    if (fResize != nullptr && fResize->ui_resize != nullptr)
        fResize->ui_resize(fResize->handle, static_cast<int>(fHolder.window()->pixelWidth()),
            static_cast<int>(fHolder.window()->pixelHeight()));
    return true;
}

void Lv2UI::portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
    if (buffer == nullptr)
        return;
    if (format == 0 && size == sizeof(float) && port >= kLv2FirstControl) {
        const float value = *static_cast<const float*>(buffer);
        if (std::isfinite(value))
            fHolder.parameterChanged(port - kLv2FirstControl, value);
    } else if (format == fUris.atomEventTransfer && port == kLv2EventsOut &&
        size >= sizeof(LV2_Atom)) {
        const auto& atom = *static_cast<const LV2_Atom*>(buffer);
        if (sizeof(LV2_Atom) + atom.size <= size)
            readMonitor(atom);
    }
}

void Lv2UI::readMonitor(const LV2_Atom& atom)
{
    if (atom.type != fUris.atomObject || atom.size < sizeof(LV2_Atom_Object_Body))
        return;
    const auto* const object = reinterpret_cast<const LV2_Atom_Object*>(&atom);
    if (object->body.otype != fUris.monitor)
        return;
    const LV2_Atom* index = nullptr;
    const LV2_Atom* value = nullptr;
    lv2_atom_object_get(object, fUris.monitorIndex, &index, fUris.monitorValue, &value, 0);
    const auto isInt = [this](const LV2_Atom* a) {
        return a != nullptr && a->type == fUris.atomInt && a->size == sizeof(int32_t);
    };
    if (!isInt(index) || !isInt(value))
        return;
    const int32_t which = reinterpret_cast<const LV2_Atom_Int*>(index)->body;
    if (which >= 0)
        fHolder.monitorValue(
            static_cast<uint32_t>(which), reinterpret_cast<const LV2_Atom_Int*>(value)->body);
}

int Lv2UI::idle()
{
    fHolder.idle();
    return fHolder.application().isQuitting() ? 1 : 0;
}

// Hosts record automation between touch begin and end: one begin per drag, one end.
void Lv2UI::editParameter(uint32_t index, bool started)
{
    if (index >= fOpenGestures.size())
        fOpenGestures.resize(index + 1, false);
    if (fOpenGestures[index] == started)
        return;
    fOpenGestures[index] = started;
    if (fTouch != nullptr && fTouch->touch != nullptr)
        fTouch->touch(fTouch->handle, kLv2FirstControl + index, started);
}

void Lv2UI::setParameter(uint32_t index, float value)
{
    if (std::isfinite(value))
        fWrite(fController, kLv2FirstControl + index, sizeof(float), 0, &value);
}

// Only a host that offers resizing and agrees gets the new size.
void Lv2UI::requestSize(unsigned width, unsigned height)
{
    if (fResize != nullptr && fResize->ui_resize != nullptr &&
        fResize->ui_resize(fResize->handle, static_cast<int>(width), static_cast<int>(height)) == 0)
        fHolder.window()->setPixelSize(width, height);
}

} // namespace Orvane
