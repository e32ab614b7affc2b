// The editor tests' host: extensions, timer table and one hosted instance. Host main thread.
#include "GuiHost.h"

#include <cstring>
#include <stdexcept>

GuiHost::GuiHost()
    : fHost{CLAP_VERSION, this, "gui-test-host", "Vantorel", "", "1.0", nullptr,
          [](const clap_host_t*) {}, [](const clap_host_t*) {}, [](const clap_host_t*) {}},
      fGui{}, fTimer{}, fParams{}
{
    fHost.get_extension = [](const clap_host_t* host, const char* id) -> const void* {
        GuiHost& h = self(host);
        if (h.offersGui && std::strcmp(id, CLAP_EXT_GUI) == 0)
            return &h.fGui;
        if (h.offersTimer && std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0)
            return &h.fTimer;
        if (std::strcmp(id, CLAP_EXT_PARAMS) == 0)
            return &h.fParams;
        return nullptr;
    };
    fGui.resize_hints_changed = [](const clap_host_t* host) { ++self(host).resizeHintsChanges; };
    fGui.request_resize = [](const clap_host_t* host, uint32_t width, uint32_t height) {
        self(host).resizeRequests.emplace_back(width, height);
        return self(host).agreesToResize;
    };
    fTimer.register_timer = [](const clap_host_t* host, uint32_t period, clap_id* id) {
        GuiHost& h = self(host);
        *id = h.fNextTimerId++;
        h.timers[*id] = period;
        ++h.registrations;
        return true;
    };
    fTimer.unregister_timer = [](const clap_host_t* host, clap_id id) {
        GuiHost& h = self(host);
        ++h.unregistrations;
        return h.timers.erase(id) == 1;
    };
    fParams.rescan = [](const clap_host_t*, clap_param_rescan_flags) {};
    fParams.clear = [](const clap_host_t*, clap_id, clap_param_clear_flags) {};
    fParams.request_flush = [](const clap_host_t*) {};
}

GuiHost& GuiHost::self(const clap_host_t* host)
{
    return *static_cast<GuiHost*>(host->host_data);
}

HostedPlugin::HostedPlugin(const ClapLibrary& library)
{
    std::string error;
    if (!instance.create(*library.factory(), *host.host(), error))
        throw std::runtime_error(error);
    gui = static_cast<const clap_plugin_gui_t*>(plugin()->get_extension(plugin(), CLAP_EXT_GUI));
    timer = static_cast<const clap_plugin_timer_support_t*>(
        plugin()->get_extension(plugin(), CLAP_EXT_TIMER_SUPPORT));
    block.out.reserve(1 << 16, 1024);
}

HostedPlugin::~HostedPlugin() = default;

void HostedPlugin::fireTimers()
{
    // A copy: a timer may be unregistered while the table is walked.
    const std::map<clap_id, uint32_t> due = host.timers;
    for (const auto& entry : due)
        timer->on_timer(plugin(), entry.first);
}

clap_process_status HostedPlugin::process(uint32_t frames)
{
    const clap_process_t data = block.processData(frames, nullptr, -1);
    block.out.clear();
    const clap_process_status status = plugin()->process(plugin(), &data);
    block.in.clear();
    return status;
}

void HostedPlugin::automate(clap_id id, double value)
{
    clap_event_param_value_t event{};
    event.header = {sizeof(event), 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = id;
    event.value = value;
    block.in.add(event.header);
}
