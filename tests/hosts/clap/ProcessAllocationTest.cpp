// Proves that process neither allocates, locks nor prints in the loaded modules: playing
// transport, parameter, note and MIDI events, MIDI sent back to the host and the block limit, and
// hostile blocks alike (wrong ports, mis-sized events, bad output layouts, absurd tempos, a full
// output list). Counted through replaced C library functions, so not run under a sanitizer.
#include "AllocationCounter.h"
#include "BlockingCallCounter.h"
#include "ClapFixture.h"
#include "StereoBlock.h"

#include <cmath>
#include <unistd.h>

namespace {

clap_event_midi_t midiEvent(uint32_t time, uint8_t status, uint16_t port = 0)
{
    clap_event_midi_t midi{};
    midi.header = {sizeof(midi), time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, 0};
    midi.port_index = port;
    midi.data[0] = status;
    midi.data[1] = 60;
    return midi;
}

clap_event_note_t noteEvent(uint32_t time, int16_t port)
{
    clap_event_note_t note{};
    note.header = {sizeof(note), time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_NOTE_ON, 0};
    note.port_index = port;
    note.key = 64;
    note.velocity = 0.7;
    return note;
}

// Events for every block, added before counting starts: more MIDI than a block takes, a note,
// a parameter value; hostile ones add notes and MIDI on other ports and mis-sized events.
void addBlockEvents(InputEventList& events, bool hostile)
{
    for (uint32_t i = 0; i < 600; ++i)
        events.add(midiEvent(i % 256, i % 2 ? 0x90 : 0x80).header);
    events.add(noteEvent(3, 0).header);
    clap_event_param_value_t value{};
    value.header = {sizeof(value), 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    value.param_id = 1;
    value.value = 17.5;
    events.add(value.header);
    if (!hostile)
        return;
    for (int16_t port : {1, -1, 7})
        events.add(noteEvent(5, port).header);
    events.add(midiEvent(6, 0xB0, 3).header);
    clap_event_midi_t oversized = midiEvent(7, 0x90);
    oversized.header.size = 32;
    events.addBytes(&oversized, sizeof(oversized));
    value.header.size = 40;
    events.addBytes(&value, sizeof(value));
}

void expectProcessNeverWaits(PluginInstance& instance, bool hostile)
{
    ASSERT_TRUE(instance.activate(48000.0, 1, 256));
    StereoBlock io;
    addBlockEvents(io.in, hostile);
    io.out.reserve(1 << 16, 2048);
    const TransportTimeline timeline(48000.0, 120.0, 4, 4);
    float* threeChannels[3] = {io.left, io.right, io.left};
    const clap_audio_buffer_t good = io.buffer;
    const clap_audio_buffer_t bad{threeChannels, nullptr, 3, 0, 0};

    AllocationCounter allocations;
    BlockingCallCounter calls;
    for (uint32_t block = 0; block < 400; ++block) {
        clap_event_transport_t transport = timeline.at(block * 256u);
        io.buffer = hostile && block % 7 == 3 ? bad : good;
        if (hostile && block % 11 == 5)
            transport.tempo = block % 2 ? 1e9 : 1e-30;
        io.out.setCapacity(hostile && block % 5 == 1 ? 3 : UINT32_MAX);
        clap_process_t data = io.processData(block % 50 == 0 ? 0 : 256, &transport, block * 256);
        if (hostile && block % 13 == 4)
            data.out_events = nullptr;
        io.out.clear();
        instance.plugin()->process(instance.plugin(), &data);
    }
    allocations.stop();
    calls.stop();
    EXPECT_EQ(allocations.count(), 0);
    EXPECT_EQ(calls.locks(), 0);
    EXPECT_EQ(calls.writes(), 0);
    instance.plugin()->on_main_thread(instance.plugin());
}

class ClapProcessAllocation : public ClapFixture { };

TEST_F(ClapProcessAllocation, CountingSeesOrdinaryAllocationsLocksAndWrites)
{
    AllocationCounter allocations;
    BlockingCallCounter calls;
    int* volatile number = new int(5);
    delete number;
    pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
    pthread_mutex_lock(&mutex);
    pthread_mutex_unlock(&mutex);
    EXPECT_EQ(write(-1, nullptr, 0), -1);
    calls.stop();
    allocations.stop();
    EXPECT_EQ(allocations.count(), 1);
    EXPECT_EQ(calls.locks(), 1);
    EXPECT_EQ(calls.writes(), 1);

    // The loaded module's calls are seen too: its main-thread callback takes a mutex.
    BlockingCallCounter moduleCalls;
    plugin()->on_main_thread(plugin());
    moduleCalls.stop();
    EXPECT_GE(moduleCalls.locks(), 1);
}

TEST_F(ClapProcessAllocation, VantorelBlocksNeverWait)
{
    expectProcessNeverWaits(*instance, false);
}

TEST_F(ClapProcessAllocation, VantorelHostileBlocksNeverWait)
{
    expectProcessNeverWaits(*instance, true);
}

TEST_F(ClapProcessAllocation, ProbeBlocksSendingMidiNeverWait)
{
    openModule(probeClapPath());
    expectProcessNeverWaits(*instance, false);
}

TEST_F(ClapProcessAllocation, ProbeHostileBlocksNeverWait)
{
    openModule(probeClapPath());
    expectProcessNeverWaits(*instance, true);
}

} // namespace
