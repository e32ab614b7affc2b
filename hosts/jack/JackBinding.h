// The JACK client library, loaded at run time: one wrapper per JACK function, with JACK's
// arguments and results. A missing library or function gives the neutral result (0, null, false)
// instead of a failure to start. Any thread, once the first call (which loads the library) is
// made on the main thread.
#pragma once

#include "JackDeclarations.h"
#include "JackFunctionList.h"

namespace Orvane {
namespace Jack {

#define ORVANE_JACK_DECLARE_CALL(result, symbol, wrapper, parameters, arguments, neutral)          \
    result wrapper parameters noexcept;
#define ORVANE_JACK_DECLARE_PROC(symbol, wrapper, parameters, arguments)                           \
    void wrapper parameters noexcept;
#define ORVANE_JACK_DECLARE_OWN(result, symbol, parameters)
ORVANE_JACK_FUNCTIONS(ORVANE_JACK_DECLARE_CALL, ORVANE_JACK_DECLARE_PROC, ORVANE_JACK_DECLARE_OWN)
#undef ORVANE_JACK_DECLARE_CALL
#undef ORVANE_JACK_DECLARE_PROC
#undef ORVANE_JACK_DECLARE_OWN

// Null when JACK gives no client, whatever the reason; `status` then holds JackServerError alone
// and the binding stops treating JACK as present (see isRealJack).
jack_client_t* clientOpen(const char* name, jack_options_t options, jack_status_t* status) noexcept;
// True for success (JACK's 0).
bool midiEventGet(jack_midi_event_t* event, void* buffer, uint32_t index) noexcept;
bool midiEventWrite(
    void* buffer, jack_nframes_t time, const jack_midi_data_t* data, size_t size) noexcept;
// False, doing nothing, once a client open has failed or without the metadata interface.
bool setProperty(jack_client_t* client, jack_uuid_t subject, const char* key, const char* value,
    const char* type) noexcept;

// True until a client open fails.
bool isRealJack() noexcept;

} // namespace Jack
} // namespace Orvane
