// The clipboard in both directions with another real client (xclip), and a misbehaving owner or
// requester whose answers and requests must be refused without reading out of bounds.
#include <X11/Xatom.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "ToolkitTestSupport.h"

using namespace SkeinTest;

namespace {

// A child process with a pipe to its standard input and one from its standard output.
class Child {
public:
    explicit Child(std::vector<const char*> argv)
    {
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0)
            return;
        fPid = fork();
        if (fPid == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            const int devNull = open("/dev/null", O_WRONLY);
            if (devNull >= 0)
                dup2(devNull, 2);
            close(in[1]);
            close(out[0]);
            argv.push_back(nullptr);
            execvp(argv[0], const_cast<char* const*>(argv.data()));
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        fIn = in[1];
        fOut = out[0];
    }
    ~Child()
    {
        closeInput();
        if (fOut >= 0)
            close(fOut);
        if (fPid > 0 && !fExited) {
            kill(fPid, SIGTERM);
            waitpid(fPid, nullptr, 0);
        }
    }
    void write(const std::string& text)
    {
        if (::write(fIn, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
            closeInput();
        closeInput();
    }
    void closeInput()
    {
        if (fIn >= 0)
            close(fIn);
        fIn = -1;
    }
    // Collects output; true once the child has ended.
    bool poll()
    {
        char buffer[256];
        pollfd p{fOut, POLLIN, 0};
        while (::poll(&p, 1, 0) > 0) {
            const ssize_t n = read(fOut, buffer, sizeof buffer);
            if (n <= 0)
                break;
            output.append(buffer, static_cast<size_t>(n));
        }
        if (!fExited && waitpid(fPid, &status, WNOHANG) == fPid)
            fExited = true;
        return fExited;
    }
    std::string output;
    int status = -1;

private:
    pid_t fPid = -1;
    int fIn = -1, fOut = -1;
    bool fExited = false;
};

enum class Misbehaviour {
    TypesAsBytes,
    DataAsLongs,
    DataAsIncremental
};

// Owns the clipboard on a connection of its own and answers requests wrongly, on a thread.
class MisbehavingOwner {
public:
    explicit MisbehavingOwner(Misbehaviour how) : fHow(how), fDisplay(XOpenDisplay(nullptr))
    {
        fWindow = XCreateSimpleWindow(fDisplay, DefaultRootWindow(fDisplay), 0, 0, 1, 1, 0, 0, 0);
        fClipboard = XInternAtom(fDisplay, "CLIPBOARD", False);
        XSetSelectionOwner(fDisplay, fClipboard, fWindow, CurrentTime);
        XSync(fDisplay, False);
        fThread = std::thread([this] { serve(); });
    }
    ~MisbehavingOwner()
    {
        fStop = true;
        fThread.join();
        XDestroyWindow(fDisplay, fWindow);
        XCloseDisplay(fDisplay);
    }
    std::atomic<int> requests{0};

private:
    void serve()
    {
        const Atom targets = XInternAtom(fDisplay, "TARGETS", False);
        const Atom textPlain = XInternAtom(fDisplay, "text/plain", False);
        pollfd p{ConnectionNumber(fDisplay), POLLIN, 0};
        while (!fStop) {
            if (XPending(fDisplay) == 0) {
                ::poll(&p, 1, 20);
                continue;
            }
            XEvent event;
            XNextEvent(fDisplay, &event);
            if (event.type != SelectionRequest)
                continue;
            ++requests;
            const XSelectionRequestEvent& r = event.xselectionrequest;
            if (r.target == targets) {
                if (fHow == Misbehaviour::TypesAsBytes) {
                    const char junk[3] = {1, 2, 3};
                    XChangeProperty(fDisplay, r.requestor, r.property, XA_ATOM, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(junk), 3);
                } else {
                    const long types[] = {static_cast<long>(textPlain)};
                    XChangeProperty(fDisplay, r.requestor, r.property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(types), 1);
                }
            } else if (fHow == Misbehaviour::DataAsLongs) {
                const long data[] = {0x41414141, 0x42424242};
                XChangeProperty(fDisplay, r.requestor, r.property, r.target, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data), 2);
            } else {
                const long size = 1 << 30;
                XChangeProperty(fDisplay, r.requestor, r.property,
                    XInternAtom(fDisplay, "INCR", False), 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&size), 1);
            }
            XEvent notify{};
            notify.xselection.type = SelectionNotify;
            notify.xselection.requestor = r.requestor;
            notify.xselection.selection = r.selection;
            notify.xselection.target = r.target;
            notify.xselection.property = r.property;
            notify.xselection.time = r.time;
            XSendEvent(fDisplay, r.requestor, False, NoEventMask, &notify);
            XFlush(fDisplay);
        }
    }

    Misbehaviour fHow;
    Display* fDisplay;
    ::Window fWindow = 0;
    Atom fClipboard = 0;
    std::atomic<bool> fStop{false};
    std::thread fThread;
};

class Clipboard : public ::testing::Test {
protected:
    Skein::Application app{true};
    ShownWindow shown{app};
};

TEST_F(Clipboard, TextOfferedByTheWindowIsReadByAnotherClient)
{
    const char text[] = "hello from the toolkit";
    ASSERT_TRUE(shown.window.offerClipboard(nullptr, text, std::strlen(text)));
    Child reader({"xclip", "-selection", "clipboard", "-o", "-t", "text/plain"});
    ASSERT_TRUE(pumpUntil(app, [&] { return reader.poll(); }));
    EXPECT_EQ(reader.output, text);
    EXPECT_EQ(reader.status, 0);

    Child types({"xclip", "-selection", "clipboard", "-o", "-t", "TARGETS"});
    ASSERT_TRUE(pumpUntil(app, [&] { return types.poll(); }));
    EXPECT_NE(types.output.find("text/plain"), std::string::npos);

    // The window reads its own offer through the server like any other client.
    size_t size = 0;
    const void* data = shown.window.fetchClipboard(size);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(data), size), text);
}

TEST_F(Clipboard, TextOfferedByAnotherClientIsFetched)
{
    Child writer({"xclip", "-selection", "clipboard", "-i", "-quiet", "-t", "text/plain"});
    writer.write("from another client");
    Display* d = XOpenDisplay(nullptr);
    const Atom clipboard = XInternAtom(d, "CLIPBOARD", False);
    const ::Window own = shown.window.nativeWindowHandle();
    ASSERT_TRUE(pumpUntil(app, [&] {
        const ::Window owner = XGetSelectionOwner(d, clipboard);
        return owner != None && owner != own;
    }));
    XCloseDisplay(d);

    size_t size = 99;
    const void* data = shown.window.fetchClipboard(size);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(data), size), "from another client");
    const auto types = shown.window.clipboardTypes();
    ASSERT_FALSE(types.empty());
    EXPECT_EQ(types[0].id, 1u);
    EXPECT_EQ(types[0].type, "text/plain");
}

TEST_F(Clipboard, MalformedAnswersOfAnotherOwnerAreRefused)
{
    for (Misbehaviour how :
        {Misbehaviour::TypesAsBytes, Misbehaviour::DataAsLongs, Misbehaviour::DataAsIncremental}) {
        MisbehavingOwner owner(how);
        size_t size = 99;
        EXPECT_EQ(shown.window.fetchClipboard(size), nullptr) << static_cast<int>(how);
        EXPECT_EQ(size, 0u);
        EXPECT_GE(owner.requests.load(), 1);
    }
}

TEST_F(Clipboard, RequestsWithoutPropertyOrForMultipleTargetsAreRefused)
{
    const char text[] = "kept";
    ASSERT_TRUE(shown.window.offerClipboard(nullptr, text, 4));
    Display* d = XOpenDisplay(nullptr);
    const ::Window requestor = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    const Atom clipboard = XInternAtom(d, "CLIPBOARD", False);
    const Atom property = XInternAtom(d, "SKEIN_TEST", False);
    const Atom multiple = XInternAtom(d, "MULTIPLE", False);
    const auto request = [&](Atom target, Atom into) {
        XConvertSelection(d, clipboard, target, into, requestor, CurrentTime);
        XFlush(d);
        XEvent event{};
        pumpUntil(app,
            [&] { return XCheckTypedWindowEvent(d, requestor, SelectionNotify, &event) == True; });
        return event;
    };
    EXPECT_EQ(request(XA_STRING, None).xselection.property, static_cast<Atom>(None));
    EXPECT_EQ(request(multiple, property).xselection.property, static_cast<Atom>(None));
    const XEvent good = request(XA_STRING, property);
    EXPECT_EQ(good.xselection.type, SelectionNotify);
    EXPECT_EQ(good.xselection.property, property);
    XDestroyWindow(d, requestor);
    XCloseDisplay(d);
}

} // namespace
