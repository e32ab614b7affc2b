// The host structure a plug-in is created with: names, the "clap.params" host extension (which
// counts rescan requests) and nothing else. Host main thread.
#pragma once

#include "ClapParams.h"
#include "ClapPlugin.h"

#include <cstdint>
#include <vector>

class HostContext {
public:
    HostContext();

    HostContext(const HostContext&) = delete;
    HostContext& operator=(const HostContext&) = delete;

    const clap_host_t* host() const noexcept { return &fHost; }
    // The flags of every rescan the plug-in asked for, in order.
    const std::vector<uint32_t>& rescans() const noexcept { return fRescans; }
    // Whether the host offers "clap.params" (on by default).
    void setOffersParams(bool offers) noexcept { fOffersParams = offers; }

private:
    clap_host_t fHost;
    clap_host_params_t fParams;
    std::vector<uint32_t> fRescans;
    bool fOffersParams = true;

    static const void* getExtension(const clap_host_t* host, const char* id);
    static void rescan(const clap_host_t* host, clap_param_rescan_flags flags);
    static void clear(const clap_host_t* host, clap_id id, clap_param_clear_flags flags);
    static void requestNothing(const clap_host_t* host);
};
