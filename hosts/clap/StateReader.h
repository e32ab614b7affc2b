// Loads a saved byte stream from the host's stream into an instance, applying each parameter
// value as soon as its pair is complete (SavedState.h reads the format). [main-thread] Whatever
// the stream holds, nothing is read or written outside the reader's buffers.
#pragma once

#include "ClapState.h"

namespace Orvane {

class PluginCLAP;

class StateReader {
public:
    explicit StateReader(PluginCLAP& instance) noexcept : fInstance(instance) { }

    // True when the stream ended (with or without the terminator) without breaking a rule; the
    // host is asked to rescan only after the terminator.
    bool load(const clap_istream_t& stream);

private:
    PluginCLAP& fInstance;
};

} // namespace Orvane
