// The plug-in's saved state: NUL-separated key and value strings, the parameter pairs between
// "__zef_parameters_begin__" and "__zef_parameters_end__", ending with the byte 0xFE. Every
// binding saves and loads these same bytes, so a state moves between hosts unchanged.
// [main-thread]
#pragma once

#include "PluginAdapter.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace Orvane {

// The whole stream, final 0x00 included.
std::string buildStateBytes(const PluginAdapter& adapter);

// Reads a stream given in pieces of any size, joining strings cut between two pieces, and hands
// each parameter pair to `apply` as soon as it is complete (values as written: the caller holds
// them to the parameter's rules). Whatever the bytes, nothing is read or written outside them.
class StateParser {
public:
    using ApplyFunction = void (*)(void* context, uint32_t index, double value);

    enum class Progress {
        More, // the stream goes on
        Finished, // the terminator was reached
        Failed // a rule of the format was broken; a warning says which
    };

    // `reportFaults`: a broken rule prints its soft-assertion line (a host's stream), or nothing
    // (a caller that says in its own words that the bytes are no saved state).
    StateParser(const PluginAdapter& adapter, ApplyFunction apply, void* context,
        bool reportFaults = true) noexcept
        : fAdapter(adapter), fApply(apply), fContext(context), fReportFaults(reportFaults)
    {
    }

    Progress feed(const uint8_t* bytes, size_t count);

private:
    // Initial, none, in states, in parameters, after parameters.
    enum QueryingType : char {
        Initial = 'i',
        None = 'n',
        States = 's',
        Parameters = 'p',
        After = 'x'
    };

    const PluginAdapter& fAdapter;
    ApplyFunction fApply;
    void* fContext;
    bool fReportFaults;
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
