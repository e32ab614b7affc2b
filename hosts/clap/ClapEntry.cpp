// The library's one exported symbol, clap_entry, with the plug-in factory and the descriptor.
// init and deinit run on the host's main thread, the factory on any thread; the descriptor's
// texts are filled once, under a one-time lock, from an instance kept only to answer descriptive
// questions.
#include "ClapPlugin.h"

#include "ClapExtensions.h"
#include "PendingValues.h"
#include "PluginAdapter.h"
#include "SoftAssert.h"
#include "String.h"

#include <cstring>
#include <memory>
#include <mutex>

namespace Orvane {

namespace {

constexpr char kPluginId[] = "urn.krellgen.Vantorel";
const char* const kFeatures[] = {CLAP_PLUGIN_FEATURE_INSTRUMENT, nullptr};

String& libraryPath()
{
    static String path;
    return path;
}

std::unique_ptr<PluginAdapter>& descriptorInstance()
{
    static std::unique_ptr<PluginAdapter> instance;
    return instance;
}

clap_plugin_descriptor_t descriptor = {
    CLAP_VERSION, kPluginId, "", "", "", "", "", "", "", kFeatures};

// Copies of the descriptor instance's texts, which outlive it (deinit destroys it).
String descriptorName;
String descriptorVendor;
String descriptorDescription;
std::once_flag descriptorFilled;

void fillDescriptor()
{
    const PluginAdapter* const adapter = descriptorInstance().get();
    const Plugin* const fPlugin = adapter != nullptr ? adapter->plugin() : nullptr;
    if (ORVANE_CHECK(fPlugin != nullptr)) {
        descriptorName = fPlugin->displayName();
        descriptorVendor = fPlugin->maker();
        descriptorDescription = fPlugin->description();
    }
    descriptor.name = descriptorName.buffer();
    descriptor.vendor = descriptorVendor.buffer();
    descriptor.description = descriptorDescription.buffer();
}

uint32_t getPluginCount(const clap_plugin_factory_t*) noexcept
{
    return 1;
}

const clap_plugin_descriptor_t* getPluginDescriptor(
    const clap_plugin_factory_t*, uint32_t index) noexcept
{
    if (!ORVANE_CHECK_UINT(index == 0, index))
        return nullptr;
    std::call_once(descriptorFilled, fillDescriptor);
    return &descriptor;
}

// The library holds one plug-in, so the requested id is not compared. Hosts may create instances
// on several threads at once: the pending values stay locked until the instance has read them.
const clap_plugin_t* createPlugin(
    const clap_plugin_factory_t* factory, const clap_host_t* host, const char*) noexcept
{
    const std::lock_guard<std::mutex> lock(pendingValuesMutex());
    if (pendingBufferSize == 0)
        pendingBufferSize = 1024;
    if (pendingSampleRate <= 0.0)
        pendingSampleRate = 44100.0;
    pendingMayRequestChanges = true;
    return createClapPlugin(getPluginDescriptor(factory, 0), host);
}

constexpr clap_plugin_factory_t kFactory = {getPluginCount, getPluginDescriptor, createPlugin};

bool entryInit(const char* pluginPath) noexcept
{
    const std::lock_guard<std::mutex> lock(pendingValuesMutex());
    libraryPath() = pluginPath;
    pendingBundlePath = libraryPath().isNotEmpty() ? libraryPath().buffer() : nullptr;
    if (descriptorInstance() != nullptr)
        return true;

    pendingBufferSize = 512;
    pendingSampleRate = 44100.0;
    pendingMayRequestChanges = true;
    pendingIsDescriptorOnly = true;
    try {
        descriptorInstance() = std::make_unique<PluginAdapter>(nullptr, nullptr, nullptr, nullptr);
    } catch (...) {
        // Without it the descriptor's texts stay empty; instances are made independently.
    }
    pendingBufferSize = 0;
    pendingSampleRate = 0.0;
    pendingMayRequestChanges = false;
    pendingIsDescriptorOnly = false;
    return true;
}

void entryDeinit() noexcept
{
    descriptorInstance().reset();
}

const void* getFactory(const char* factoryId) noexcept
{
    if (factoryId != nullptr && std::strcmp(factoryId, CLAP_PLUGIN_FACTORY_ID) == 0)
        return &kFactory;
    return nullptr;
}

} // namespace

} // namespace Orvane

extern "C" __attribute__((visibility("default"))) const clap_plugin_entry_t clap_entry = {
    CLAP_VERSION, Orvane::entryInit, Orvane::entryDeinit, Orvane::getFactory};
