// Opens and activates the in-process JACK client of the tests. Test thread only.
#include "ActivePluginJack.h"

#include "JackBinding.h"
#include "PendingValues.h"

#include <cstdlib>

namespace StandaloneTest {

ActivePluginJack::ActivePluginJack()
{
    unsetenv("DISPLAY"); // the editor's drawing is not what these tests are about
    if (!server.running())
        return;
    Orvane::jack_status_t status = 0;
    client = Orvane::Jack::clientOpen("Vantorel", Orvane::JackNoStartServer, &status);
    if (client == nullptr)
        return;
    Orvane::pendingSampleRate = Orvane::Jack::getSampleRate(client);
    Orvane::pendingBufferSize = Orvane::Jack::getBufferSize(client);
    jack = std::make_unique<Orvane::PluginJack>(client, 0);
    jack->activate();
}

std::string ActivePluginJack::eventsIn() const
{
    return std::string(Orvane::Jack::getClientName(client)) + ":events-in";
}

} // namespace StandaloneTest
