// The state reader: walks the host's stream in 511-byte chunks, joining strings cut by a chunk
// end, and applies parameter pairs as they complete. Main thread.
#include "StateReader.h"

#include "PluginCLAP.h"
#include "SoftAssert.h"

#include <cstdlib>
#include <cstring>

namespace Orvane {

namespace {

constexpr uint8_t kTerminator = 0xFE;
constexpr size_t kChunkSize = 511;
// Far beyond any symbol or number text: a longer key or value is not a saved state, and an
// endless one must not take all memory.
constexpr size_t kMaxStringBytes = 4096;

} // namespace

bool StateReader::load(const clap_istream_t& stream)
{
    // One byte more than is ever read, holding 0xFF, so that no walk can run off the end.
    uint8_t buffer[kChunkSize + 1];
    buffer[kChunkSize] = 0xFF;
    for (;;) {
        const int64_t read = stream.read(&stream, buffer, kChunkSize);
        if (!ORVANE_CHECK_INT(read >= 0, read))
            return false;
        if (read == 0)
            return true;
        // A host that claims more than it was asked for gets only what fits.
        const size_t count =
            static_cast<size_t>(read) < kChunkSize ? static_cast<size_t>(read) : kChunkSize;

        size_t position = 0;
        while (position < count) {
            if (buffer[position] == kTerminator) {
                fInstance.requestParameterRescan();
                return true;
            }
            const uint8_t* const start = buffer + position;
            const void* const nul = std::memchr(start, 0, count - position);
            const size_t length =
                nul != nullptr ? static_cast<const uint8_t*>(nul) - start : count - position;
            std::string& text = fFillingKey ? fKey : fValue;
            if (text.size() + length > kMaxStringBytes) {
                printWarning("Saved state refused: a key or value is longer than %zu bytes",
                    kMaxStringBytes);
                return false;
            }
            text.append(reinterpret_cast<const char*>(start), length);
            fHasValue = fHasValue || !fFillingKey;
            position += length;
            if (nul == nullptr)
                break; // the string goes on in the next chunk
            if (!handleString())
                return false;
            ++position; // the NUL
        }
    }
}

bool StateReader::handleString()
{
    if (fKey == "__zef_state_begin__" || fKey == "__zef_state_end__" ||
        fKey == "__zef_parameters_begin__" || fKey == "__zef_parameters_end__")
        return handleReservedKey();

    fFillingKey = !fFillingKey;
    if (!fHasValue)
        return true;

    if (fKey == "__zef_program__") {
        const char queryingType = fQueryingType;
        if (!ORVANE_CHECK_INT(queryingType == 'i', queryingType))
            return false;
        fQueryingType = None;
    } else if (fQueryingType == Parameters) {
        applyPair();
    }
    clearPair();
    return true;
}

bool StateReader::handleReservedKey()
{
    const char queryingType = fQueryingType;
    if (fKey == "__zef_state_begin__") {
        if (!ORVANE_CHECK_INT(queryingType == 'i' || queryingType == 'n', queryingType))
            return false;
        fQueryingType = States;
    } else if (fKey == "__zef_state_end__") {
        if (!ORVANE_CHECK_INT(queryingType == 's', queryingType))
            return false;
        fQueryingType = None;
    } else if (fKey == "__zef_parameters_begin__") {
        if (!ORVANE_CHECK_INT(queryingType == 'i' || queryingType == 'n', queryingType))
            return false;
        fQueryingType = Parameters;
    } else {
        if (!ORVANE_CHECK_INT(queryingType == 'p', queryingType))
            return false;
        fQueryingType = After;
    }
    clearPair();
    return true;
}

void StateReader::applyPair()
{
    PluginAdapter& adapter = fInstance.adapter();
    const uint32_t count = adapter.parameterCount();
    for (uint32_t i = 0; i < count; ++i) {
        if (adapter.isParameterOutputOrTrigger(i) || adapter.parameterSymbol(i) != fKey.c_str())
            continue;
        const double value = (adapter.parameterHints(i) & HintInteger)
            ? static_cast<double>(std::strtol(fValue.c_str(), nullptr, 10))
            : std::strtod(fValue.c_str(), nullptr);
        fInstance.applyHostParameter(i, value, false);
        return;
    }
}

void StateReader::clearPair() noexcept
{
    fKey.clear();
    fValue.clear();
    fHasValue = false;
}

} // namespace Orvane
