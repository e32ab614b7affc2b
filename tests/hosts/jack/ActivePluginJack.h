// The JACK client of the program in the test's own process: a JACK server of its own, the client
// opened as the program opens it, the plug-in and its client active, no editor window. Test
// thread only.
#pragma once

#include "JackTestServer.h"
#include "PluginJack.h"

#include <memory>
#include <string>

namespace StandaloneTest {

struct ActivePluginJack {
    ActivePluginJack();
    // Whether the server, the client and the plug-in all came up.
    bool ok() const { return jack != nullptr; }
    // The full name of the client's "events-in" port.
    std::string eventsIn() const;

    JackTestServer server;
    Orvane::jack_client_t* client = nullptr;
    std::unique_ptr<Orvane::PluginJack> jack;
};

} // namespace StandaloneTest
