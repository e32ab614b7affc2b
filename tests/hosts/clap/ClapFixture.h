// Loads a built .clap through dlopen and clap_entry and creates one instance, like a host does:
// the common set-up of the CLAP tests. Test thread only (it plays host main and audio thread).
#pragma once

#include "BlockRenderer.h"
#include "ClapLibrary.h"
#include "HostContext.h"
#include "PluginInstance.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// Paths of the modules under test, given by the build.
inline const char* vantorelClapPath()
{
    return VANTOREL_CLAP_PATH;
}

inline const char* probeClapPath()
{
    return PROBE_CLAP_PATH;
}

class ClapFixture : public ::testing::Test {
protected:
    ClapLibrary library;
    HostContext host;
    std::unique_ptr<PluginInstance> instance;

    void openModule(const char* path = vantorelClapPath())
    {
        instance.reset(); // before its library goes
        std::string error;
        ASSERT_TRUE(library.open(path, error)) << error;
        recreateInstance();
    }

    // Replaces the instance with a fresh one from the same factory.
    void recreateInstance()
    {
        std::string error;
        instance.reset();
        instance = std::make_unique<PluginInstance>();
        ASSERT_TRUE(instance->create(*library.factory(), *host.host(), error)) << error;
    }

    void SetUp() override { openModule(); }
    void TearDown() override { instance.reset(); }

    const clap_plugin_t* plugin() const { return instance->plugin(); }
    const clap_plugin_params_t& params() const { return *instance->params(); }
};

// A probe plug-in that echoes every MIDI message it is given back through the binding.
class ProbeClapFixture : public ClapFixture {
protected:
    void SetUp() override { openModule(probeClapPath()); }
};
