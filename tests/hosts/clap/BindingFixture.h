// A probe plug-in instance made by the binding linked into the test, for what a host cannot reach:
// the editor's entry points and the probe's record of what it was given. The probe echoes every
// MIDI message it renders. Test thread only, except where a test starts its own.
#pragma once

#include "ClapExtensions.h"
#include "HostContext.h"
#include "HostEvents.h"
#include "PendingValues.h"
#include "PluginCLAP.h"
#include "ProbePlugin.h"
#include "StereoBlock.h"

#include <gtest/gtest.h>

class BindingFixture : public ::testing::Test, protected StereoBlock {
protected:
    HostContext host;
    const clap_plugin_t* plugin = nullptr;
    Orvane::PluginCLAP* instance = nullptr;

    void SetUp() override
    {
        probeSetup = ProbeSetup();
        Orvane::pendingBufferSize = 256;
        Orvane::pendingSampleRate = 48000.0;
        plugin = Orvane::createClapPlugin(nullptr, host.host());
        ASSERT_NE(plugin, nullptr);
        ASSERT_TRUE(plugin->init(plugin));
        instance = Orvane::instanceOf(plugin);
    }

    void TearDown() override
    {
        if (plugin != nullptr)
            plugin->destroy(plugin);
    }

    ProbePlugin& probe() const { return *static_cast<ProbePlugin*>(instance->adapter().plugin()); }

    // One block; the input list is emptied, the output list holds what the plug-in pushed.
    clap_process_status process(uint32_t frames, bool withOutputList = true)
    {
        clap_process_t data = processData(frames, nullptr, -1);
        if (!withOutputList)
            data.out_events = nullptr;
        out.clear();
        const clap_process_status status = plugin->process(plugin, &data);
        in.clear();
        return status;
    }
};
