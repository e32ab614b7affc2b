// The state writer: hands the saved-state bytes to the host's stream. Main thread.
#include "StateWriter.h"

#include "SavedState.h"
#include "SoftAssert.h"

#include <algorithm>
#include <cstdint>

namespace Orvane {

bool writeState(const PluginAdapter& adapter, const clap_ostream_t& stream)
{
    const std::string bytes = buildStateBytes(adapter);
    size_t written = 0;
    while (written < bytes.size()) {
        const int64_t wrtn = stream.write(&stream, bytes.data() + written, bytes.size() - written);
        if (!ORVANE_CHECK_INT(wrtn > 0, wrtn))
            return false;
        // A host that claims more than it was offered cannot move us past the end.
        written += std::min<uint64_t>(static_cast<uint64_t>(wrtn), bytes.size() - written);
    }
    return true;
}

} // namespace Orvane
