// Common set-up of the framework core tests: a fresh probe setup and sane pending values before
// each adapter is created. Test thread only.
#pragma once

#include "PendingValues.h"
#include "PluginAdapter.h"
#include "ProbePlugin.h"

#include <gtest/gtest.h>

#include <memory>

class ProbeFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        probeSetup = ProbeSetup();
        Orvane::pendingBufferSize = 256;
        Orvane::pendingSampleRate = 48000.0;
        Orvane::pendingBundlePath = nullptr;
        Orvane::pendingMayRequestChanges = false;
        Orvane::pendingIsDescriptorOnly = false;
        Orvane::pendingIsSelfTest = false;
    }

    std::unique_ptr<Orvane::PluginAdapter> makeAdapter(
        void* callbacksPtr = nullptr, Orvane::WriteMidiFunc writeMidi = nullptr)
    {
        auto adapter =
            std::make_unique<Orvane::PluginAdapter>(callbacksPtr, writeMidi, nullptr, nullptr);
        if (adapter->plugin() != nullptr)
            probe(*adapter).watchedData = adapter->data();
        return adapter;
    }

    static ProbePlugin& probe(const Orvane::PluginAdapter& adapter)
    {
        return *static_cast<ProbePlugin*>(adapter.plugin());
    }
};
