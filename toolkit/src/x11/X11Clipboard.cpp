// The "CLIPBOARD" selection in both directions: answering other clients' requests for what a
// view offers, and fetching another owner's types and data. Everything that arrives from other
// clients is checked for type, format and size before it is read. Event-loop thread.
#include <algorithm>
#include <cstring>

#include "X11Internal.h"

namespace Skein {

namespace {

constexpr long kMaxTypes = 256;
constexpr unsigned long kMaxDataBytes = 16ul << 20;

void sendNotify(Display* display, const XSelectionRequestEvent& request, Atom property)
{
    XEvent notify{};
    notify.xselection.type = SelectionNotify;
    notify.xselection.display = display;
    notify.xselection.requestor = request.requestor;
    notify.xselection.selection = request.selection;
    notify.xselection.target = request.target;
    notify.xselection.property = property;
    notify.xselection.time = request.time;
    XSendEvent(display, request.requestor, False, NoEventMask, &notify);
}

// Reports an empty offer or empty data, so that a waiting fetch ends.
void deliverNothing(View::Impl& view, ViewEventType type)
{
    ViewEvent event;
    event.type = type;
    view.deliver(event);
}

// Reads a whole property of the expected format (8 or 32) and deletes it; false when absent, of
// another format, of an incremental type, or larger than maxItems.
bool readProperty(Display* display, ::Window window, Atom property, int expectedFormat,
    long maxItems, Atom& type, std::vector<unsigned char>& bytes, unsigned long& items)
{
    int format = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    // Longs are 4-byte units for the request whatever the item format.
    const long lengthInLongs = expectedFormat == 32 ? maxItems : (maxItems + 3) / 4;
    const int status = XGetWindowProperty(display, window, property, 0, lengthInLongs, True,
        AnyPropertyType, &type, &format, &items, &after, &data);
    const bool ok = status == Success && data != nullptr && format == expectedFormat &&
        after == 0 && static_cast<long>(items) <= maxItems;
    if (ok) {
        // Xlib hands out 32-bit items as longs.
        const size_t itemSize = expectedFormat == 32 ? sizeof(long) : 1;
        bytes.assign(data, data + items * itemSize);
    }
    if (data != nullptr)
        XFree(data);
    if (!ok)
        XDeleteProperty(display, window, property);
    return ok;
}

void receiveTypes(View::Impl& view, const XSelectionEvent& notify)
{
    Clipboard& clip = view.clipboard;
    clip.incomingTypes.clear();
    clip.incomingTypeNames.clear();
    Atom type = None;
    std::vector<unsigned char> bytes;
    unsigned long items = 0;
    if (notify.property != None &&
        readProperty(
            view.w.display, view.window, notify.property, 32, kMaxTypes, type, bytes, items) &&
        (type == XA_ATOM || type == view.w.atoms.targets)) {
        for (unsigned long i = 0; i < items; ++i) {
            long value = 0;
            std::memcpy(&value, bytes.data() + i * sizeof(long), sizeof(long));
            const Atom atom = static_cast<Atom>(value);
            if (atom == None || atom == view.w.atoms.targets || atom == view.w.atoms.multiple)
                continue;
            char* name = XGetAtomName(view.w.display, atom);
            if (name == nullptr)
                continue;
            clip.incomingTypes.push_back(atom);
            clip.incomingTypeNames.emplace_back(name);
            XFree(name);
        }
    }
    deliverNothing(view, ViewEventType::dataOffer);
}

void receiveData(View::Impl& view, const XSelectionEvent& notify)
{
    Clipboard& clip = view.clipboard;
    clip.receivedData.clear();
    Atom type = None;
    std::vector<unsigned char> bytes;
    unsigned long items = 0;
    ViewEvent data;
    data.type = ViewEventType::data;
    if (notify.property != None && notify.target == clip.requestedType &&
        readProperty(view.w.display, view.window, notify.property, 8,
            static_cast<long>(kMaxDataBytes), type, bytes, items) &&
        type != view.w.atoms.incr) {
        clip.receivedData.assign(bytes.begin(), bytes.end());
        clip.receivedData.push_back('\0');
        const auto found =
            std::find(clip.incomingTypes.begin(), clip.incomingTypes.end(), clip.requestedType);
        if (found != clip.incomingTypes.end())
            data.typeIndex = static_cast<unsigned>(found - clip.incomingTypes.begin()) + 1;
    }
    clip.requestedType = None;
    view.deliver(data);
}

} // namespace

void answerSelectionRequest(View::Impl& view, const XSelectionRequestEvent& request)
{
    Display* display = view.w.display;
    const Atoms& atoms = view.w.atoms;
    const Clipboard& clip = view.clipboard;
    // Obsolete clients leave the property None; they are refused rather than guessed at.
    const bool answerable = request.selection == atoms.clipboard && request.requestor != None &&
        request.property != None && request.target != atoms.multiple &&
        request.target != atoms.incr && !clip.offeredTypes.empty();
    if (!answerable) {
        sendNotify(display, request, None);
        return;
    }
    if (request.target == atoms.targets) {
        std::vector<long> list(clip.offeredTypes.begin(), clip.offeredTypes.end());
        list.push_back(static_cast<long>(atoms.targets));
        XChangeProperty(display, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
            reinterpret_cast<const unsigned char*>(list.data()), static_cast<int>(list.size()));
    } else {
        // Without the incremental protocol the answer must fit in one request.
        const size_t size = clip.offeredData.size() - 1;
        const size_t limit = static_cast<size_t>(XExtendedMaxRequestSize(display) != 0
                                     ? XExtendedMaxRequestSize(display)
                                     : XMaxRequestSize(display)) *
                4 -
            64;
        if (size > limit) {
            sendNotify(display, request, None);
            return;
        }
        XChangeProperty(display, request.requestor, request.property, request.target, 8,
            PropModeReplace, reinterpret_cast<const unsigned char*>(clip.offeredData.data()),
            static_cast<int>(size));
    }
    sendNotify(display, request, request.property);
}

void receiveSelection(View::Impl& view, const XSelectionEvent& notify)
{
    if (notify.selection != view.w.atoms.clipboard || notify.requestor != view.window)
        return;
    if (notify.target == view.w.atoms.targets)
        receiveTypes(view, notify);
    else if (view.clipboard.requestedType != None)
        receiveData(view, notify);
}

bool View::offerClipboard(const char* type, const void* data, size_t size)
{
    Impl& v = *pImpl;
    Clipboard& clip = v.clipboard;
    clip.offeredData.clear();
    clip.offeredTypes.clear();
    if (v.window == 0 || (data == nullptr && size != 0))
        return false;
    const char* bytes = static_cast<const char*>(data);
    clip.offeredData.assign(bytes, bytes + size);
    clip.offeredData.push_back('\0');
    clip.offeredTypes.push_back(XInternAtom(v.w.display, type, False));
    XSetSelectionOwner(v.w.display, v.w.atoms.clipboard, v.window, CurrentTime);
    if (XGetSelectionOwner(v.w.display, v.w.atoms.clipboard) != v.window) {
        clip.offeredData.clear();
        clip.offeredTypes.clear();
        return false;
    }
    return true;
}

void View::requestClipboardTypes()
{
    Impl& v = *pImpl;
    v.clipboard.requestedType = None;
    if (v.window == 0)
        return;
    XConvertSelection(v.w.display, v.w.atoms.clipboard, v.w.atoms.targets, v.w.atoms.clipboard,
        v.window, CurrentTime);
    XFlush(v.w.display);
}

void View::requestClipboardData(unsigned typeIndex)
{
    Impl& v = *pImpl;
    Clipboard& clip = v.clipboard;
    if (v.window == 0 || typeIndex == 0 || typeIndex > clip.incomingTypes.size()) {
        deliverNothing(v, ViewEventType::data);
        return;
    }
    clip.requestedType = clip.incomingTypes[typeIndex - 1];
    XConvertSelection(v.w.display, v.w.atoms.clipboard, clip.requestedType, v.w.atoms.clipboard,
        v.window, CurrentTime);
    XFlush(v.w.display);
}

const std::vector<std::string>& View::clipboardOfferTypes() const noexcept
{
    return pImpl->clipboard.incomingTypeNames;
}

const std::vector<char>& View::receivedClipboardData() const noexcept
{
    return pImpl->clipboard.receivedData;
}

} // namespace Skein
