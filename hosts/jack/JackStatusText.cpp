// JACK status bits as text. Main thread.
#include "JackStatusText.h"

namespace Orvane {

namespace {

struct StatusLine {
    int bit;
    const char* text;
};

constexpr StatusLine kStatusLines[] = {
    {0x01, "Overall operation failed"},
    {0x02, "The operation contained an invalid or unsupported option"},
    {0x04, "The desired client name was not unique"},
    {0x08, "The JACK server was started as a result of this operation"},
    {0x10, "Unable to connect to the JACK server"},
    {0x20, "Communication error with the JACK server"},
    {0x40, "Requested client does not exist"},
    {0x80, "Unable to load internal client"},
    {0x100, "Unable to initialize client"},
    {0x200, "Unable to access shared memory"},
    {0x400, "Client's protocol version does not match"},
    {0x800, "Backend Error"},
    {0x1000, "Client is being shutdown against its will"},
    // The binding's own bit for an alternative audio driver, which this program never sets.
    {0x10000, "Native audio driver was unable to start"},
};

} // namespace

std::string jackStatusReasons(int status)
{
    std::string reasons;
    for (const StatusLine& line : kStatusLines) {
        if ((status & line.bit) != 0) {
            reasons += line.text;
            reasons += ";\n";
        }
    }
    if (!reasons.empty())
        reasons[reasons.size() - 2] = '.';
    return reasons;
}

} // namespace Orvane
