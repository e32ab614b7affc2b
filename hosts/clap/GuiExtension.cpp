// "clap.gui": the editor in the host's X11 window or floating. Host main thread. Every function
// but the first two needs the editor holder that create makes; none lets an exception out.
#include "ClapExtensions.h"
#include "ClapUI.h"
#include "PluginCLAP.h"
#include "SoftAssert.h"

#include <cstring>

namespace Orvane {

namespace {

bool isX11(const char* api) noexcept
{
    return api != nullptr && std::strcmp(api, CLAP_WINDOW_API_X11) == 0;
}

// The instance's editor holder; a missing one is reported.
ClapUI* holderOf(const clap_plugin_t* plugin) noexcept
{
    PluginCLAP* const instance = instanceOf(plugin);
    if (instance == nullptr)
        return nullptr;
    ClapUI* const gui = instance->editor();
    return ORVANE_CHECK(gui != nullptr) ? gui : nullptr;
}

// `call` on the instance's editor holder; `fallback` without one, or when the call throws (it
// may allocate): no exception crosses into the host.
template <typename Call>
bool withHolder(const clap_plugin_t* plugin, Call call, bool fallback = false) noexcept
{
    ClapUI* const gui = holderOf(plugin);
    if (gui == nullptr)
        return fallback;
    try {
        return call(*gui);
    } catch (...) {
        return fallback;
    }
}

// X11 window ids only; a structure naming another api is not a window we can use.
bool x11Window(const clap_window_t* window, uintptr_t& id) noexcept
{
    if (window == nullptr || !isX11(window->api))
        return false;
    id = window->x11;
    return true;
}

bool isApiSupported(const clap_plugin_t*, const char* api, bool) noexcept
{
    return isX11(api);
}

bool getPreferredApi(const clap_plugin_t*, const char** api, bool* isFloating) noexcept
{
    if (api == nullptr || isFloating == nullptr)
        return false;
    *api = CLAP_WINDOW_API_X11;
    *isFloating = false;
    return true;
}

bool create(const clap_plugin_t* plugin, const char* api, bool isFloating) noexcept
{
    PluginCLAP* const instance = instanceOf(plugin);
    if (instance == nullptr)
        return false;
    try {
        return instance->createEditor(api, isFloating);
    } catch (...) {
        return false;
    }
}

void destroy(const clap_plugin_t* plugin) noexcept
{
    if (holderOf(plugin) != nullptr)
        instanceOf(plugin)->destroyEditor();
}

bool setScale(const clap_plugin_t* plugin, double scale) noexcept
{
    return withHolder(plugin, [scale](ClapUI& gui) { return gui.setScale(scale); });
}

bool getSize(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height) noexcept
{
    return withHolder(plugin, [width, height](ClapUI& gui) {
        if (width == nullptr || height == nullptr)
            return false;
        gui.getSize(*width, *height);
        return true;
    });
}

bool canResize(const clap_plugin_t* plugin) noexcept
{
    holderOf(plugin);
    return false;
}

bool getResizeHints(const clap_plugin_t* plugin, clap_gui_resize_hints_t* hints) noexcept
{
    if (hints != nullptr)
        *hints = clap_gui_resize_hints_t{};
    holderOf(plugin);
    return false;
}

bool adjustSize(const clap_plugin_t* plugin, uint32_t*, uint32_t*) noexcept
{
    holderOf(plugin);
    return false;
}

bool setSize(const clap_plugin_t* plugin, uint32_t width, uint32_t height) noexcept
{
    return withHolder(plugin, [=](ClapUI& gui) { return gui.setSize(width, height); });
}

bool setParent(const clap_plugin_t* plugin, const clap_window_t* window) noexcept
{
    return withHolder(plugin, [window](ClapUI& gui) {
        uintptr_t id = 0;
        return x11Window(window, id) && gui.setParent(id);
    });
}

bool setTransient(const clap_plugin_t* plugin, const clap_window_t* window) noexcept
{
    return withHolder(plugin, [window](ClapUI& gui) {
        uintptr_t id = 0;
        return x11Window(window, id) && gui.setTransient(id);
    });
}

void suggestTitle(const clap_plugin_t* plugin, const char* title) noexcept
{
    withHolder(plugin, [title](ClapUI& gui) {
        gui.suggestTitle(title);
        return true;
    });
}

bool show(const clap_plugin_t* plugin) noexcept
{
    return withHolder(plugin, [](ClapUI& gui) { return gui.show(); });
}

bool hide(const clap_plugin_t* plugin) noexcept
{
    return withHolder(plugin, [](ClapUI& gui) { return gui.hide(); });
}

constexpr clap_plugin_gui_t kGui = {isApiSupported, getPreferredApi, create, destroy, setScale,
    getSize, canResize, getResizeHints, adjustSize, setSize, setParent, setTransient, suggestTitle,
    show, hide};

template <typename Extension>
const Extension* hostExtension(const clap_host_t* host, const char* id) noexcept
{
    if (host == nullptr || host->get_extension == nullptr)
        return nullptr;
    return static_cast<const Extension*>(host->get_extension(host, id));
}

} // namespace

bool PluginCLAP::createEditor(const char* api, bool isFloating)
{
    if (!isX11(api))
        return false;
    const auto* const hostGui = hostExtension<clap_host_gui_t>(fHost, CLAP_EXT_GUI);
    if (!ORVANE_CHECK(hostGui != nullptr))
        return false;
    const auto* const hostTimer =
        hostExtension<clap_host_timer_support_t>(fHost, CLAP_EXT_TIMER_SUPPORT);
    if (!ORVANE_CHECK(hostTimer != nullptr))
        return false;
    destroyEditor();
    fUI = std::make_unique<ClapUI>(*this, fHost, hostGui, hostTimer, isFloating);
    fReportedTickWithoutEditor = false;
    return true;
}

void PluginCLAP::destroyEditor()
{
    fUI.reset();
}

const clap_plugin_gui_t* guiExtension() noexcept
{
    return &kGui;
}

} // namespace Orvane
