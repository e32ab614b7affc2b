// The host structure of the render tool and the tests. Host main thread.
#include "HostContext.h"

#include <cstring>

HostContext::HostContext()
    : fHost{CLAP_VERSION, this, "vantorel-render", "Vantorel", "", "1.0", getExtension,
          requestNothing, requestNothing, requestNothing},
      fParams{rescan, clear, requestNothing}
{
}

const void* HostContext::getExtension(const clap_host_t* host, const char* id)
{
    const auto* const self = static_cast<const HostContext*>(host->host_data);
    if (self->fOffersParams && std::strcmp(id, CLAP_EXT_PARAMS) == 0)
        return &self->fParams;
    return nullptr;
}

void HostContext::rescan(const clap_host_t* host, clap_param_rescan_flags flags)
{
    static_cast<HostContext*>(host->host_data)->fRescans.push_back(flags);
}

void HostContext::clear(const clap_host_t*, clap_id, clap_param_clear_flags)
{
}

void HostContext::requestNothing(const clap_host_t*)
{
}
