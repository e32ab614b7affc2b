// The private record of one Plugin instance: ports, parameters, port groups, the current block's
// transport, the binding's callbacks, buffer size and sample rate. Written on the main thread
// while the audio thread is not running the plug-in, except `isProcessing` and `transport`,
// which the audio thread writes around each block, and the lock-free `drops`.
#pragma once

#include "DropCounters.h"
#include "MidiMessage.h"
#include "ParameterInfo.h"
#include "PortInfo.h"
#include "TransportInfo.h"

#include <cstdint>
#include <memory>

namespace Orvane {

// Binding callbacks; `callbacksPtr` is handed back as the first argument.
// [audio-thread] Called inside renderBlock, so it must not throw.
using WriteMidiFunc = bool (*)(void* callbacksPtr, const MidiMessage& message) noexcept;
// [main-thread]
using RequestParameterChangeFunc = bool (*)(void* callbacksPtr, uint32_t index, float value);
using UpdateStateValueFunc = bool (*)(void* callbacksPtr, const char* key, const char* value);

struct PluginData {
    bool canRequestParameterChanges = false;
    bool isDummy = false;
    bool isSelfTest = false;
    bool isProcessing = false;

    // Inputs first, then outputs.
    std::unique_ptr<AudioPortInfo[]> audioPorts;

    uint32_t parameterCount = 0;
    std::unique_ptr<ParameterInfo[]> parameters;

    uint32_t portGroupCount = 0;
    std::unique_ptr<PortGroupInfo[]> portGroups;

    TransportInfo transport;
    // What the audio thread dropped; reported when the instance is deactivated.
    DropCounters drops;

    void* callbacksPtr = nullptr;
    WriteMidiFunc writeMidiCallbackFunc = nullptr;
    RequestParameterChangeFunc requestParameterChangeCallbackFunc = nullptr;
    UpdateStateValueFunc updateStateValueCallbackFunc = nullptr;

    uint32_t bufferSize = 0;
    double sampleRate = 0.0;
    // Owned copy, or null when the binding gave none.
    std::unique_ptr<char[]> bundlePath;
};

} // namespace Orvane
