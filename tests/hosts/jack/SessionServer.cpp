// The tests' session manager over liblo, on 127.0.0.1. Test thread only: messages are read
// while a test waits for the next one.
#include "SessionServer.h"

#include <lo/lo.h>

#include <chrono>

namespace StandaloneTest {

namespace {

constexpr const char* kAnnounce = "/nsm/server/announce";

std::string argumentText(char type, const lo_arg* argument)
{
    switch (type) {
    case LO_STRING:
    case LO_SYMBOL:
        return &argument->s;
    case LO_INT32:
        return std::to_string(argument->i);
    default:
        return std::string("(type ") + type + ")";
    }
}

} // namespace

struct SessionServer::Receiver {
    static int onMessage(const char* path, const char* types, lo_arg** argv, int argc,
        lo_message message, void* data)
    {
        auto& self = *static_cast<SessionServer*>(data);
        OscMessage received{path, {}};
        for (int i = 0; i < argc; ++i)
            received.arguments.push_back(argumentText(types[i], argv[i]));
        if (received.path == kAnnounce) {
            const lo_address source = lo_message_get_source(message);
            if (self.fClient != nullptr)
                lo_address_free(self.fClient);
            self.fClient =
                lo_address_new(lo_address_get_hostname(source), lo_address_get_port(source));
            lo_send_from(self.fClient, self.fServer, LO_TT_IMMEDIATE, "/reply", "ssss", kAnnounce,
                "Howdy, what took you so long?", "vantorel-test-session", ":server-control:");
        }
        self.fReceived.push_back(std::move(received));
        return 0;
    }
};

SessionServer::SessionServer()
{
    fServer = lo_server_new_with_proto(nullptr, LO_UDP, [](int, const char*, const char*) {});
    if (fServer != nullptr)
        lo_server_add_method(fServer, nullptr, nullptr, Receiver::onMessage, this);
}

SessionServer::~SessionServer()
{
    if (fClient != nullptr)
        lo_address_free(fClient);
    if (fServer != nullptr)
        lo_server_free(fServer);
}

std::string SessionServer::url() const
{
    return "osc.udp://127.0.0.1:" + std::to_string(lo_server_get_port(fServer)) + "/";
}

OscMessage SessionServer::next(double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() +
        std::chrono::milliseconds(static_cast<long>(seconds * 1000));
    while (fRead == fReceived.size() && std::chrono::steady_clock::now() < deadline)
        lo_server_recv_noblock(fServer, 20);
    if (fRead == fReceived.size())
        return OscMessage{};
    return fReceived[fRead++];
}

void SessionServer::send(const char* path, const std::vector<std::string>& texts)
{
    if (fClient == nullptr)
        return;
    lo_message message = lo_message_new();
    for (const std::string& text : texts)
        lo_message_add_string(message, text.c_str());
    lo_send_message_from(fClient, fServer, path, message);
    lo_message_free(message);
}

} // namespace StandaloneTest
