// Proves that process allocates nothing in the loaded modules: playing transport, parameter,
// note and MIDI events, MIDI sent back to the host, and the block limit. Counted through the
// replaced allocator, so not run under a sanitizer.
#include "AllocationCounter.h"
#include "ClapFixture.h"
#include "StereoBlock.h"

#include <cmath>

namespace {

// Events for every block, added before counting starts.
void addBusyBlockEvents(InputEventList& events)
{
    for (uint32_t i = 0; i < 600; ++i) {
        clap_event_midi_t midi{};
        midi.header = {sizeof(midi), i % 256, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_MIDI, 0};
        midi.data[0] = i % 2 ? 0x90 : 0x80;
        midi.data[1] = 60;
        events.add(midi.header);
    }
    clap_event_note_t note{};
    note.header = {sizeof(note), 3, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_NOTE_ON, 0};
    note.key = 64;
    note.velocity = 0.7;
    events.add(note.header);
    clap_event_param_value_t value{};
    value.header = {sizeof(value), 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    value.param_id = 1;
    value.value = 17;
    events.add(value.header);
}

void expectProcessAllocatesNothing(PluginInstance& instance)
{
    ASSERT_TRUE(instance.activate(48000.0, 1, 256));
    StereoBlock io;
    addBusyBlockEvents(io.in);
    io.out.reserve(1 << 16, 2048);
    const TransportTimeline timeline(48000.0, 120.0, 4, 4);

    AllocationCounter counter;
    for (uint32_t block = 0; block < 400; ++block) {
        const clap_event_transport_t transport = timeline.at(block * 256u);
        clap_process_t data = io.processData(block % 50 == 0 ? 0 : 256, &transport, block * 256);
        io.out.clear();
        instance.plugin()->process(instance.plugin(), &data);
    }
    counter.stop();
    EXPECT_EQ(counter.count(), 0);
}

class ClapProcessAllocation : public ClapFixture { };

TEST_F(ClapProcessAllocation, CountingSeesOrdinaryAllocations)
{
    AllocationCounter counter;
    int* volatile number = new int(5);
    delete number;
    counter.stop();
    EXPECT_EQ(counter.count(), 1);
}

TEST_F(ClapProcessAllocation, VantorelBlocksAllocateNothing)
{
    expectProcessAllocatesNothing(*instance);
}

TEST_F(ClapProcessAllocation, ProbeBlocksSendingMidiAllocateNothing)
{
    openModule(probeClapPath());
    expectProcessAllocatesNothing(*instance);
}

} // namespace
