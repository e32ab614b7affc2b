// vantorel: the groove as a JACK client with its editor in a window of its own. Exit status 0
// after a normal run, 1 after "selftest", without a JACK client or when the last save failed,
// 2 for a bad starting value or state file.
#include "BundlePath.h"
#include "JackBinding.h"
#include "JackStatusText.h"
#include "OrvanePluginInfo.h"
#include "PendingValues.h"
#include "PluginJack.h"
#include "ProgramState.h"
#include "SessionClient.h"
#include "SignalRequests.h"
#include "SoftAssert.h"
#include "StartValues.h"
#include "StateFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
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

// Answers --help and gathers the starting values before anything is started: the state file's
// first, then the single options, so that the later ones win.
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
    if (!options.statePath.empty() &&
        Orvane::readStateValues(options.statePath, plugin, values, error) ==
            Orvane::StateFileRead::Failed) {
        std::fprintf(stderr, "vantorel: %s\n", error.c_str());
        return kInvalidArguments;
    }
    if (!Orvane::resolveStartValues(plugin, options, values, error))
        return invalidArguments(error);
    return 0;
}

// The program's name as the session manager should start it again.
const char* executableName(const char* path)
{
    const char* const slash = std::strrchr(path, '/');
    return slash != nullptr ? slash + 1 : path;
}

// With NSM_URL set: announces the program and waits for the session to open it; the session
// names the client and keeps the state. False with the status to end with.
bool joinSession(Orvane::SessionClient& session, Orvane::StandaloneOptions& options,
    std::string& clientName, int& status)
{
    Orvane::SessionOpening opening;
    std::string error;
    if (!session.waitForOpen(opening, Orvane::isCloseRequested, error)) {
        if (!error.empty())
            std::fprintf(stderr, "vantorel: %s\n", error.c_str());
        status = error.empty() ? 0 : kFailure;
        return false;
    }
    clientName = opening.clientId;
    options.statePath = opening.path + ".state";
    return true;
}

int runClient(const Orvane::StandaloneOptions& options,
    const std::vector<Orvane::StartValue>& values, const std::string& clientName,
    Orvane::SessionClient* session)
{
    Orvane::jack_status_t status = 0;
    Orvane::jack_client_t* const client =
        Orvane::Jack::clientOpen(clientName.c_str(), Orvane::JackNoStartServer, &status);
    if (client == nullptr) {
        const std::string reasons = Orvane::jackStatusReasons(status);
        if (reasons.empty())
            std::fprintf(stderr, "Failed to create the JACK client, cannot continue!\n");
        else
            std::fprintf(
                stderr, "Failed to create the JACK client, reason was:\n%s", reasons.c_str());
        if (session != nullptr)
            session->answerOpen("Failed to create the JACK client");
        return kFailure;
    }

    Orvane::pendingBufferSize = Orvane::Jack::getBufferSize(client);
    Orvane::pendingSampleRate = Orvane::Jack::getSampleRate(client);
    Orvane::pendingMayRequestChanges = true;
    Orvane::PluginJack jack(client, options.parentWindow);
    for (const Orvane::StartValue& value : values)
        jack.setStartValue(value.index, value.value);
    jack.activate();
    if (session != nullptr)
        session->answerOpen("");
    Orvane::ProgramState state(jack, options.statePath, session);
    jack.setIdleWork([&state] { state.idle(); });
    jack.run(session != nullptr);
    return state.saveOnExit() ? 0 : kFailure;
}

} // namespace

int main(int argc, char** argv)
{
    Orvane::installSignalRequestHandler();
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

    std::unique_ptr<Orvane::SessionClient> session;
    std::string clientName = ORVANE_PLUGIN_NAME;
    const char* const sessionUrl = options.help ? nullptr : std::getenv("NSM_URL");
    if (sessionUrl != nullptr && sessionUrl[0] != '\0') {
        session = std::make_unique<Orvane::SessionClient>(sessionUrl, executableName(argv[0]));
        int status = 0;
        if (!joinSession(*session, options, clientName, status))
            return status;
    }

    std::vector<Orvane::StartValue> values;
    if (options.help || !options.parameters.empty() || !options.statePath.empty()) {
        if (const int status = checkOptions(options, values); status != 0 || options.help) {
            if (session != nullptr && status != 0)
                session->answerOpen("The session's state cannot be loaded",
                    Orvane::SessionClient::kErrorBadProject);
            return status;
        }
    }
    return runClient(options, values, clientName, session.get());
}
