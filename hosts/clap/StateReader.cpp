// The state reader: walks the host's stream in 511-byte chunks through the saved-state parser,
// which joins strings cut by a chunk end, and applies parameter pairs as they complete. Main
// thread.
#include "StateReader.h"

#include "PluginCLAP.h"
#include "SavedState.h"
#include "SoftAssert.h"

namespace Orvane {

namespace {

constexpr size_t kChunkSize = 511;

} // namespace

bool StateReader::load(const clap_istream_t& stream)
{
    StateParser parser(
        fInstance.adapter(),
        [](void* instance, uint32_t index, double value) {
            static_cast<PluginCLAP*>(instance)->applyHostParameter(index, value, false);
        },
        &fInstance);
    uint8_t buffer[kChunkSize];
    for (;;) {
        const int64_t read = stream.read(&stream, buffer, kChunkSize);
        if (!ORVANE_CHECK_INT(read >= 0, read))
            return false;
        if (read == 0)
            return endedWithoutTerminator();
        // A host that claims more than it was asked for gets only what fits.
        const size_t count =
            static_cast<size_t>(read) < kChunkSize ? static_cast<size_t>(read) : kChunkSize;
        if (fBytesRead == 0)
            fFirstByteIsNul = buffer[0] == 0;
        fBytesRead += count;
        switch (parser.feed(buffer, count)) {
        case StateParser::Progress::More:
            break;
        case StateParser::Progress::Finished:
            fInstance.requestParameterRescan();
            return true;
        case StateParser::Progress::Failed:
            return false;
        }
    }
}

bool StateReader::endedWithoutTerminator() const
{
    if (fBytesRead == 1 && fFirstByteIsNul)
        return true;
    printWarning("Saved state incomplete: the stream ended after %zu bytes, before its end mark",
        fBytesRead);
    return false;
}

} // namespace Orvane
