// The editor thread appending values and playing notes while the audio thread processes: every
// value and every note arrives exactly once and in order, and the audio side never waits.
#include "BindingFixture.h"

#include <thread>
#include <vector>

namespace {

class EditorThreadTest : public BindingFixture { };

TEST_F(EditorThreadTest, EverythingArrivesOnceAndInOrder)
{
    constexpr int kCount = 3000;
    std::thread editor([this] {
        for (int i = 0; i < kCount; ++i) {
            instance->eventQueue().setParameter(0, static_cast<float>(i % 3));
            // A full ring refuses the note; the editor plays it again once there is room.
            while (!instance->eventQueue().sendNote(0, static_cast<uint8_t>(i % 128), 1)) {
                std::this_thread::yield();
            }
        }
    });

    std::vector<int> notes;
    std::vector<double> values;
    out.reserve(1 << 20, 8192);
    while (notes.size() < kCount || values.size() < kCount) {
        ASSERT_EQ(process(64), CLAP_PROCESS_CONTINUE);
        for (uint32_t i = 0; i < out.size(); ++i) {
            const clap_event_header_t& header = out.at(i);
            if (header.type == CLAP_EVENT_MIDI)
                notes.push_back(out.as<clap_event_midi_t>(i).data[1]);
            else if (header.type == CLAP_EVENT_PARAM_VALUE)
                values.push_back(out.as<clap_event_param_value_t>(i).value);
        }
    }
    editor.join();

    ASSERT_EQ(notes.size(), size_t(kCount));
    ASSERT_EQ(values.size(), size_t(kCount));
    for (int i = 0; i < kCount; ++i) {
        ASSERT_EQ(notes[i], i % 128) << i;
        ASSERT_EQ(values[i], i % 3) << i;
    }
}

} // namespace
