// A small session manager for the tests, written from the protocol's published description: it
// listens on the loopback interface, answers a client's announce, and sends it open, save, the
// window requests and whatever else a test asks for. Everything the client sends is kept in
// arrival order. Test thread only.
#pragma once

#include <string>
#include <vector>

namespace StandaloneTest {

struct OscMessage {
    std::string path;
    // Every argument as text (integers in decimal), in order.
    std::vector<std::string> arguments;
};

class SessionServer {
public:
    SessionServer();
    ~SessionServer();
    SessionServer(const SessionServer&) = delete;
    SessionServer& operator=(const SessionServer&) = delete;

    bool ok() const { return fServer != nullptr; }
    // What NSM_URL says to a client.
    std::string url() const;

    // The client's next message (bounded wait); its path is empty when none came. An announce
    // is answered at once, which makes its sender the client of this session.
    OscMessage next(double seconds = 30.0);
    // Sends to the client that announced: no arguments, or the texts given.
    void send(const char* path, const std::vector<std::string>& texts = {});

private:
    void* fServer = nullptr;
    void* fClient = nullptr;
    std::vector<OscMessage> fReceived;
    size_t fRead = 0;

    // liblo's handler, in the source file.
    struct Receiver;
    friend struct Receiver;
};

} // namespace StandaloneTest
