// Loads the JACK library once, on the first wrapper call, and forwards every wrapper to the
// function it resolved. The record is read-only after loading, so any thread may call.
#include "JackBinding.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdio>

#ifndef ORVANE_JACK_LIBRARY_NAME
#define ORVANE_JACK_LIBRARY_NAME "libjack.so.0"
#endif

namespace Orvane {
namespace Jack {

namespace {

#define ORVANE_JACK_POINTER_CALL(result, symbol, wrapper, parameters, arguments, neutral)          \
    result(*symbol) parameters = nullptr;
#define ORVANE_JACK_POINTER_PROC(symbol, wrapper, parameters, arguments)                           \
    void(*symbol) parameters = nullptr;
#define ORVANE_JACK_POINTER_OWN(result, symbol, parameters) result(*symbol) parameters = nullptr;

#define ORVANE_JACK_RESOLVE_CALL(result, symbol, wrapper, parameters, arguments, neutral)          \
    resolve(symbol, #symbol);
#define ORVANE_JACK_RESOLVE_PROC(symbol, wrapper, parameters, arguments) resolve(symbol, #symbol);
#define ORVANE_JACK_RESOLVE_OWN(result, symbol, parameters) resolve(symbol, #symbol);

struct JackLibrary {
    void* handle = nullptr;
    ORVANE_JACK_FUNCTIONS(
        ORVANE_JACK_POINTER_CALL, ORVANE_JACK_POINTER_PROC, ORVANE_JACK_POINTER_OWN)

    JackLibrary()
    {
        handle = dlopen(ORVANE_JACK_LIBRARY_NAME, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            const char* const reason = dlerror();
            std::fprintf(
                stderr, "Failed to load JACK DLL, reason:\n%s\n", reason != nullptr ? reason : "");
            return;
        }
        std::printf("%s loaded successfully!\n", ORVANE_JACK_LIBRARY_NAME);
        ORVANE_JACK_FUNCTIONS(
            ORVANE_JACK_RESOLVE_CALL, ORVANE_JACK_RESOLVE_PROC, ORVANE_JACK_RESOLVE_OWN)
    }

    ~JackLibrary()
    {
        if (handle != nullptr)
            dlclose(handle);
    }

    JackLibrary(const JackLibrary&) = delete;
    JackLibrary& operator=(const JackLibrary&) = delete;

    template <typename Function> void resolve(Function& function, const char* symbol) noexcept
    {
        function = reinterpret_cast<Function>(dlsym(handle, symbol));
    }
};

// Loaded on first use; the thread-safe static makes concurrent first calls wait for one load.
const JackLibrary& library() noexcept
{
    static const JackLibrary loaded;
    return loaded;
}

std::atomic<bool> gRealJack{true};

} // namespace

#define ORVANE_JACK_DEFINE_CALL(result, symbol, wrapper, parameters, arguments, neutral)           \
    result wrapper parameters noexcept                                                             \
    {                                                                                              \
        const JackLibrary& lib = library();                                                        \
        return lib.symbol != nullptr ? lib.symbol arguments : neutral;                             \
    }
#define ORVANE_JACK_DEFINE_PROC(symbol, wrapper, parameters, arguments)                            \
    void wrapper parameters noexcept                                                               \
    {                                                                                              \
        const JackLibrary& lib = library();                                                        \
        if (lib.symbol != nullptr)                                                                 \
            lib.symbol arguments;                                                                  \
    }
#define ORVANE_JACK_DEFINE_OWN(result, symbol, parameters)
ORVANE_JACK_FUNCTIONS(ORVANE_JACK_DEFINE_CALL, ORVANE_JACK_DEFINE_PROC, ORVANE_JACK_DEFINE_OWN)

jack_client_t* clientOpen(const char* name, jack_options_t options, jack_status_t* status) noexcept
{
    const JackLibrary& lib = library();
    jack_status_t reported = 0;
    jack_client_t* const client =
        lib.jack_client_open != nullptr ? lib.jack_client_open(name, options, &reported) : nullptr;
    if (client == nullptr) {
        gRealJack.store(false, std::memory_order_relaxed);
        reported = JackServerError;
    }
    if (status != nullptr)
        *status = reported;
    return client;
}

bool midiEventGet(jack_midi_event_t* event, void* buffer, uint32_t index) noexcept
{
    const JackLibrary& lib = library();
    return lib.jack_midi_event_get != nullptr && lib.jack_midi_event_get(event, buffer, index) == 0;
}

bool midiEventWrite(
    void* buffer, jack_nframes_t time, const jack_midi_data_t* data, size_t size) noexcept
{
    const JackLibrary& lib = library();
    return lib.jack_midi_event_write != nullptr &&
        lib.jack_midi_event_write(buffer, time, data, size) == 0;
}

bool setProperty(jack_client_t* client, jack_uuid_t subject, const char* key, const char* value,
    const char* type) noexcept
{
    const JackLibrary& lib = library();
    if (!isRealJack() || lib.jack_set_property == nullptr)
        return false;
    return lib.jack_set_property(client, subject, key, value, type) == 0;
}

bool isRealJack() noexcept
{
    return gRealJack.load(std::memory_order_relaxed);
}

} // namespace Jack
} // namespace Orvane
