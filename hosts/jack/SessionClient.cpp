// The session protocol's messages over liblo: one UDP socket of our own, from which every
// message to the manager goes, so that the manager knows the client by its address. Main thread.
#include "SessionClient.h"

#include "OrvanePluginInfo.h"

#include <lo/lo.h>
#include <unistd.h>

#include <cstring>

namespace Orvane {

namespace {

constexpr const char* kAnnounce = "/nsm/server/announce";
constexpr const char* kOpen = "/nsm/client/open";
constexpr const char* kSave = "/nsm/client/save";
constexpr const char* kCapabilities = ":dirty:optional-gui:";
constexpr int kApiMajor = 1;
constexpr int kApiMinor = 1;
// How long one wait for a message may last before `stop` is asked again.
constexpr int kWaitSliceMs = 50;

// liblo prints its own errors by default; ours are reported by the caller.
void quietErrors(int, const char*, const char*)
{
}

bool isText(const char* types, int index)
{
    return types[index] == LO_STRING || types[index] == LO_SYMBOL;
}

} // namespace

struct SessionClient::Handlers {
    static SessionClient& client(void* data) { return *static_cast<SessionClient*>(data); }

    static int reply(
        const char*, const char* types, lo_arg** argv, int argc, lo_message, void* data)
    {
        if (argc >= 1 && isText(types, 0) && std::strcmp(&argv[0]->s, kAnnounce) == 0)
            client(data).fAnswered = true;
        return 0;
    }

    static int error(
        const char*, const char* types, lo_arg** argv, int argc, lo_message, void* data)
    {
        SessionClient& self = client(data);
        if (argc >= 3 && isText(types, 0) && std::strcmp(&argv[0]->s, kAnnounce) == 0 &&
            isText(types, 2)) {
            self.fAnswered = true;
            self.fRefusal = &argv[2]->s;
        }
        return 0;
    }

    static int open(const char*, const char*, lo_arg** argv, int, lo_message, void* data)
    {
        client(data).onOpen(&argv[0]->s, &argv[1]->s, &argv[2]->s);
        return 0;
    }

    static int save(const char*, const char*, lo_arg**, int, lo_message, void* data)
    {
        client(data).onSave();
        return 0;
    }

    static int show(const char*, const char*, lo_arg**, int, lo_message, void* data)
    {
        client(data).onShowGui(true);
        return 0;
    }

    static int hide(const char*, const char*, lo_arg**, int, lo_message, void* data)
    {
        client(data).onShowGui(false);
        return 0;
    }
};

SessionClient::SessionClient(const char* url, const char* executable)
    : fExecutable(executable != nullptr ? executable : "")
{
    fManager = lo_address_new_from_url(url);
    fServer = lo_server_new_with_proto(nullptr, LO_UDP, quietErrors);
    if (fServer == nullptr)
        return;
    const lo_server server = fServer;
    lo_server_add_method(server, "/reply", nullptr, Handlers::reply, this);
    lo_server_add_method(server, "/error", nullptr, Handlers::error, this);
    lo_server_add_method(server, kOpen, "sss", Handlers::open, this);
    lo_server_add_method(server, kSave, "", Handlers::save, this);
    lo_server_add_method(server, "/nsm/client/show_optional_gui", "", Handlers::show, this);
    lo_server_add_method(server, "/nsm/client/hide_optional_gui", "", Handlers::hide, this);
}

SessionClient::~SessionClient()
{
    if (fServer != nullptr)
        lo_server_free(fServer);
    if (fManager != nullptr)
        lo_address_free(fManager);
}

bool SessionClient::waitForOpen(
    SessionOpening& opening, const std::function<bool()>& stop, std::string& error)
{
    if (fManager == nullptr || fServer == nullptr) {
        error = "NSM_URL is not a session manager's OSC address over UDP";
        return false;
    }
    if (lo_send_from(fManager, fServer, LO_TT_IMMEDIATE, kAnnounce, "sssiii", ORVANE_PLUGIN_NAME,
            kCapabilities, fExecutable.c_str(), kApiMajor, kApiMinor,
            static_cast<int>(::getpid())) < 0) {
        error = std::string("cannot reach the session manager: ") + lo_address_errstr(fManager);
        return false;
    }
    while (!fOpened) {
        if (!fRefusal.empty()) {
            error = "the session manager refused the program: " + fRefusal;
            return false;
        }
        if (stop())
            return false;
        lo_server_recv_noblock(fServer, kWaitSliceMs);
    }
    opening = fOpening;
    return true;
}

void SessionClient::answerOpen(const std::string& error, int code)
{
    if (error.empty())
        replyOk(kOpen, "Opened");
    else
        replyError(kOpen, code, error);
}

void SessionClient::poll(SessionHost& host)
{
    if (fServer == nullptr)
        return;
    fHost = &host;
    while (lo_server_recv_noblock(fServer, 0) > 0) {
    }
    fHost = nullptr;
}

void SessionClient::reportDirty(bool dirty)
{
    if (fDirty == static_cast<int>(dirty))
        return;
    fDirty = dirty;
    lo_send_from(fManager, fServer, LO_TT_IMMEDIATE,
        dirty ? "/nsm/client/is_dirty" : "/nsm/client/is_clean", "");
}

void SessionClient::reportGui(bool shown, bool always)
{
    if (fGuiShown == static_cast<int>(shown) && !always)
        return;
    fGuiShown = shown;
    lo_send_from(fManager, fServer, LO_TT_IMMEDIATE,
        shown ? "/nsm/client/gui_is_shown" : "/nsm/client/gui_is_hidden", "");
}

void SessionClient::replyOk(const char* path, const char* message)
{
    lo_send_from(fManager, fServer, LO_TT_IMMEDIATE, "/reply", "ss", path, message);
}

void SessionClient::replyError(const char* path, int code, const std::string& message)
{
    lo_send_from(fManager, fServer, LO_TT_IMMEDIATE, "/error", "sis", path, code, message.c_str());
}

// The program cannot move to another session while it runs: without the switch capability the
// manager starts it afresh instead, so a second open is a mistake to refuse.
void SessionClient::onOpen(const char* path, const char* displayName, const char* clientId)
{
    if (fOpened) {
        replyError(kOpen, kErrorGeneral, "already open in a session; restart the client to switch");
        return;
    }
    fOpening = SessionOpening{path, displayName, clientId};
    fOpened = true;
}

void SessionClient::onSave()
{
    std::string error;
    if (fHost == nullptr) {
        replyError(kSave, kErrorNoSessionOpen, "not open in a session yet");
        return;
    }
    if (!fHost->saveSession(error)) {
        replyError(kSave, kErrorGeneral, error);
        return;
    }
    // The manager takes a saved client as clean; the next change makes it dirty again.
    fDirty = 0;
    replyOk(kSave, "Saved");
}

void SessionClient::onShowGui(bool show)
{
    if (fHost != nullptr)
        fHost->showGui(show);
}

} // namespace Orvane
