// The program's side of a session manager's protocol (OSC over UDP, API 1.1): it announces
// itself with the capabilities ":dirty:optional-gui:", waits to be opened under the session's
// client id and path, saves when asked, says when its state is dirty and whether its editor
// window is shown. [main-thread]: every message is read and answered on the main thread, in
// waitForOpen() and in poll() from the idle step.
#pragma once

#include <functional>
#include <string>

namespace Orvane {

struct SessionOpening {
    std::string path; // the client's project path; the state lives at path + ".state"
    std::string displayName;
    std::string clientId; // the JACK client's name
};

// What a session asks of the program.
class SessionHost {
public:
    virtual ~SessionHost() = default;
    // False with a one-line `error` when the state could not be saved.
    virtual bool saveSession(std::string& error) = 0;
    // Shows or hides the editor window; the host answers with SessionClient::reportGui.
    virtual void showGui(bool show) = 0;
};

class SessionClient {
public:
    // The published error codes the program answers with.
    static constexpr int kErrorGeneral = -1;
    static constexpr int kErrorNoSessionOpen = -6;
    static constexpr int kErrorBadProject = -9;

    // `url` is the session manager's address (NSM_URL); `executable` the program's name.
    SessionClient(const char* url, const char* executable);
    ~SessionClient();
    SessionClient(const SessionClient&) = delete;
    SessionClient& operator=(const SessionClient&) = delete;

    // Announces the program and waits until the session opens it (true), the session manager
    // refuses it or cannot be reached (false with a one-line `error`), or `stop` says to give up
    // (false, `error` empty).
    bool waitForOpen(
        SessionOpening& opening, const std::function<bool()>& stop, std::string& error);
    // Answers the open: an empty `error` means opened.
    void answerOpen(const std::string& error, int code = kErrorGeneral);

    // Handles every message that has arrived, without waiting.
    void poll(SessionHost& host);
    // Sent only when they change; the window's state also when `always` (the answer to a
    // request).
    void reportDirty(bool dirty);
    void reportGui(bool shown, bool always = false);

private:
    // liblo's server (our socket) and the manager's address, kept opaque here.
    void* fServer = nullptr;
    void* fManager = nullptr;
    std::string fExecutable;
    SessionOpening fOpening;
    bool fOpened = false;
    bool fAnswered = false;
    std::string fRefusal;
    SessionHost* fHost = nullptr;
    int fDirty = 0; // a client opens clean
    int fGuiShown = -1;

    // The message handlers, in the source file with liblo's types.
    struct Handlers;
    friend struct Handlers;

    void replyOk(const char* path, const char* message);
    void replyError(const char* path, int code, const std::string& message);

    void onOpen(const char* path, const char* displayName, const char* clientId);
    void onSave();
    void onShowGui(bool show);
};

} // namespace Orvane
