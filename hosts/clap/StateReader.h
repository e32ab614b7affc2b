// Loads a saved byte stream (NUL-separated strings ending with 0xFE) into an instance, applying
// each parameter value as soon as its pair is complete. [main-thread] Whatever the stream holds,
// nothing is read or written outside the reader's buffers.
#pragma once

#include "ClapState.h"

#include <string>

namespace Orvane {

class PluginCLAP;

class StateReader {
public:
    explicit StateReader(PluginCLAP& instance) noexcept : fInstance(instance) { }

    // True when the stream ended (with or without the terminator) without breaking a rule; the
    // host is asked to rescan only after the terminator.
    bool load(const clap_istream_t& stream);

private:
    // Initial, none, in states, in parameters, after parameters.
    enum QueryingType : char {
        Initial = 'i',
        None = 'n',
        States = 's',
        Parameters = 'p',
        After = 'x'
    };

    PluginCLAP& fInstance;
    char fQueryingType = Initial;
    std::string fKey;
    std::string fValue;
    bool fHasValue = false;
    bool fFillingKey = true;

    bool handleString();
    bool handleReservedKey();
    void applyPair();
    void clearPair() noexcept;
};

} // namespace Orvane
