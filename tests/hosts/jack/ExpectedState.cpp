// Expected saved states. Test thread only.
#include "ExpectedState.h"

#include "PendingValues.h"
#include "PluginAdapter.h"
#include "SavedState.h"
#include "StateFile.h"

namespace StandaloneTest {

std::string stateWith(const std::vector<std::pair<uint32_t, float>>& values)
{
    Orvane::pendingSampleRate = 48000.0;
    Orvane::pendingBufferSize = 256;
    Orvane::PluginAdapter plugin(nullptr, nullptr, nullptr, nullptr);
    for (const auto& [index, value] : values)
        plugin.setParameterValue(index, value);
    return Orvane::buildStateBytes(plugin);
}

std::string fileBytes(const std::string& path)
{
    std::string bytes;
    std::string error;
    Orvane::readStateFile(path, bytes, error);
    return bytes;
}

} // namespace StandaloneTest
