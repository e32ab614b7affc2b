// vantorel: the groove as a JACK client with its editor in a window of its own. Exit status 0
// after a normal run, 1 after "selftest" or without a JACK client, 2 for a bad starting value.
#include "BundlePath.h"
#include "CloseRequest.h"
#include "GrooveOptions.h"
#include "JackBinding.h"
#include "JackStatusText.h"
#include "OrvanePluginInfo.h"
#include "PendingValues.h"
#include "PluginJack.h"
#include "SoftAssert.h"
#include "StartValues.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kFailure = 1;
constexpr int kInvalidArguments = 2;
// The settings of the instance that only checks the command line against the parameters.
constexpr uint32_t kDescriptorBufferSize = 512;
constexpr double kDescriptorSampleRate = 48000.0;

int invalidArguments(const std::string& message)
{
    std::fprintf(stderr, "vantorel: %s (see --help)\n", message.c_str());
    return kInvalidArguments;
}

// Answers --help and checks the starting values before anything is started.
int checkOptions(const Orvane::StandaloneOptions& options, std::vector<Orvane::StartValue>& values)
{
    Orvane::pendingBufferSize = kDescriptorBufferSize;
    Orvane::pendingSampleRate = kDescriptorSampleRate;
    Orvane::pendingIsDescriptorOnly = true;
    const Orvane::PluginAdapter plugin(nullptr, nullptr, nullptr, nullptr);
    Orvane::pendingIsDescriptorOnly = false;
    if (options.help) {
        std::fputs(Orvane::standaloneUsage(plugin).c_str(), stdout);
        return 0;
    }
    std::string error;
    if (!Orvane::resolveStartValues(plugin, options, values, error))
        return invalidArguments(error);
    return 0;
}

int runClient(
    const Orvane::StandaloneOptions& options, const std::vector<Orvane::StartValue>& values)
{
    Orvane::jack_status_t status = 0;
    Orvane::jack_client_t* const client =
        Orvane::Jack::clientOpen(ORVANE_PLUGIN_NAME, Orvane::JackNoStartServer, &status);
    if (client == nullptr) {
        const std::string reasons = Orvane::jackStatusReasons(status);
        if (reasons.empty())
            std::fprintf(stderr, "Failed to create the JACK client, cannot continue!\n");
        else
            std::fprintf(
                stderr, "Failed to create the JACK client, reason was:\n%s", reasons.c_str());
        return kFailure;
    }

    Orvane::pendingBufferSize = Orvane::Jack::getBufferSize(client);
    Orvane::pendingSampleRate = Orvane::Jack::getSampleRate(client);
    Orvane::pendingMayRequestChanges = true;
    Orvane::PluginJack jack(client, options.parentWindow);
    for (const Orvane::StartValue& value : values)
        jack.setStartValue(value.index, value.value);
    jack.activate();
    jack.run();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    Orvane::installCloseRequestHandler();
    Orvane::findBundlePath();

    Orvane::StandaloneOptions options;
    std::string error;
    if (!Orvane::parseStandaloneOptions(argc, argv, options, error))
        return invalidArguments(error);
    if (options.selfTest) {
        Orvane::printWarning("Code was built without ZEF_RUNTIME_TESTING macro enabled, selftest "
                             "option is not available");
        return kFailure;
    }

    if (!Orvane::expandGrooveOptions(options.parameters, error))
        return invalidArguments(error);
    std::vector<Orvane::StartValue> values;
    if (options.help || !options.parameters.empty()) {
        if (const int status = checkOptions(options, values); status != 0 || options.help)
            return status;
    }
    return runClient(options, values);
}
