// Where the bridge's messages for the patch go, addressed by frame within the current block: the
// patch itself in the plug-in, a recorder in tests. [audio-thread]
#pragma once

#include <cstdint>

namespace Orvane {

struct PatchPost {
    static constexpr uint32_t kMaxValues = 3;

    uint32_t receiverHash = 0;
    // Frame of the current block at which the patch must see the message.
    uint32_t frame = 0;
    // 1 to kMaxValues floats.
    uint32_t count = 0;
    float values[kMaxValues] = {0.0f, 0.0f, 0.0f};
};

class PatchMessageSink {
public:
    // False when the message was refused (the patch's message pool is full, or there is no patch).
    [[nodiscard]] virtual bool post(const PatchPost& message) noexcept = 0;

protected:
    ~PatchMessageSink() = default;
};

} // namespace Orvane
