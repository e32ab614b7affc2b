// Loads a saved byte stream from the host's stream into an instance, applying each parameter
// value as soon as its pair is complete (SavedState.h reads the format). [main-thread] Whatever
// the stream holds, nothing is read or written outside the reader's buffers.
#pragma once

#include "ClapState.h"

#include <cstddef>

namespace Orvane {

class PluginCLAP;

class StateReader {
public:
    explicit StateReader(PluginCLAP& instance) noexcept : fInstance(instance) { }

    // True when the stream reached its terminator without breaking a rule, and the host is asked
    // to rescan. A stream that ends before it (an empty one included) restored nothing or only
    // part, and is false; the one exception is the single 0x00 byte that a plug-in without
    // parameters saves. Values applied before a failure stay applied.
    bool load(const clap_istream_t& stream);

private:
    PluginCLAP& fInstance;
    size_t fBytesRead = 0;
    bool fFirstByteIsNul = false;

    bool endedWithoutTerminator() const;
};

} // namespace Orvane
