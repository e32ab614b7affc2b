// "clap.gui": the editor in the host's X11 window or floating. Host main thread. Every function
// but the first two needs the editor holder that create makes.
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
ClapUI* holderOf(const clap_plugin_t* plugin)
{
    PluginCLAP* const instance = instanceOf(plugin);
    if (instance == nullptr)
        return nullptr;
    ClapUI* const gui = instance->editor();
    return ORVANE_CHECK(gui != nullptr) ? gui : nullptr;
}

// X11 window ids only; a structure naming another api is not a window we can use.
bool x11Window(const clap_window_t* window, uintptr_t& id) noexcept
{
    if (window == nullptr || !isX11(window->api))
        return false;
    id = window->x11;
    return true;
}

bool isApiSupported(const clap_plugin_t*, const char* api, bool)
{
    return isX11(api);
}

bool getPreferredApi(const clap_plugin_t*, const char** api, bool* isFloating)
{
    if (api == nullptr || isFloating == nullptr)
        return false;
    *api = CLAP_WINDOW_API_X11;
    *isFloating = false;
    return true;
}

bool create(const clap_plugin_t* plugin, const char* api, bool isFloating)
{
    PluginCLAP* const instance = instanceOf(plugin);
    return instance != nullptr && instance->createEditor(api, isFloating);
}

void destroy(const clap_plugin_t* plugin)
{
    if (holderOf(plugin) != nullptr)
        instanceOf(plugin)->destroyEditor();
}

bool setScale(const clap_plugin_t* plugin, double scale)
{
    ClapUI* const gui = holderOf(plugin);
    return gui != nullptr && gui->setScale(scale);
}

bool getSize(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height)
{
    ClapUI* const gui = holderOf(plugin);
    if (gui == nullptr || width == nullptr || height == nullptr)
        return false;
    gui->getSize(*width, *height);
    return true;
}

bool canResize(const clap_plugin_t* plugin)
{
    holderOf(plugin);
    return false;
}

bool getResizeHints(const clap_plugin_t* plugin, clap_gui_resize_hints_t* hints)
{
    if (hints != nullptr)
        *hints = clap_gui_resize_hints_t{};
    holderOf(plugin);
    return false;
}

bool adjustSize(const clap_plugin_t* plugin, uint32_t*, uint32_t*)
{
    holderOf(plugin);
    return false;
}

bool setSize(const clap_plugin_t* plugin, uint32_t width, uint32_t height)
{
    ClapUI* const gui = holderOf(plugin);
    return gui != nullptr && gui->setSize(width, height);
}

bool setParent(const clap_plugin_t* plugin, const clap_window_t* window)
{
    ClapUI* const gui = holderOf(plugin);
    uintptr_t id = 0;
    return gui != nullptr && x11Window(window, id) && gui->setParent(id);
}

bool setTransient(const clap_plugin_t* plugin, const clap_window_t* window)
{
    ClapUI* const gui = holderOf(plugin);
    uintptr_t id = 0;
    return gui != nullptr && x11Window(window, id) && gui->setTransient(id);
}

void suggestTitle(const clap_plugin_t* plugin, const char* title)
{
    if (ClapUI* const gui = holderOf(plugin))
        gui->suggestTitle(title);
}

bool show(const clap_plugin_t* plugin)
{
    ClapUI* const gui = holderOf(plugin);
    return gui != nullptr && gui->show();
}

bool hide(const clap_plugin_t* plugin)
{
    ClapUI* const gui = holderOf(plugin);
    return gui != nullptr && gui->hide();
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
