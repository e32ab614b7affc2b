// The render's Standard MIDI File. Main thread.
#include "MidiFileWriter.h"

#include <cerrno>
#include <cmath>
#include <cstring>

namespace {

constexpr uint16_t kTicksPerQuarter = 960;
constexpr char kTrackName[] = "Vantorel";

void putBigEndian(std::vector<uint8_t>& out, uint64_t value, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void putVariableLength(std::vector<uint8_t>& out, uint64_t value)
{
    uint8_t groups[10];
    int count = 0;
    do {
        groups[count++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1)
        out.push_back(static_cast<uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

// Bytes of a channel message with this status, or 0 for a status that is not one.
uint32_t channelMessageSize(uint8_t status)
{
    if (status < 0x80 || status >= 0xF0)
        return 0;
    const uint8_t command = status & 0xF0;
    return command == 0xC0 || command == 0xD0 ? 2 : 3;
}

} // namespace

MidiFileWriter::MidiFileWriter(
    double sampleRate, double beatsPerMinute, uint16_t beatsPerBar, uint16_t beatType)
    : fSampleRate(sampleRate), fBeatsPerMinute(beatsPerMinute), fBeatsPerBar(beatsPerBar),
      fBeatType(beatType)
{
}

MidiFileWriter::~MidiFileWriter()
{
    if (fFile != nullptr)
        std::fclose(fFile);
}

bool MidiFileWriter::open(const std::string& path, std::string& error)
{
    fFile = std::fopen(path.c_str(), "wb");
    if (fFile == nullptr) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    metaEvents();
    return true;
}

bool MidiFileWriter::holdsTempo(double beatsPerMinute) noexcept
{
    return beatsPerMinute > 0.0 && std::llround(60e6 / beatsPerMinute) <= 0xFFFFFF;
}

uint64_t MidiFileWriter::tickOf(uint64_t frame) const noexcept
{
    const double ticks =
        static_cast<double>(frame) * fBeatsPerMinute * kTicksPerQuarter / (60.0 * fSampleRate);
    return static_cast<uint64_t>(std::llround(ticks));
}

void MidiFileWriter::event(uint64_t tick, const uint8_t* bytes, uint32_t size)
{
    putVariableLength(fTrack, tick - fLastTick);
    fLastTick = tick;
    fTrack.insert(fTrack.end(), bytes, bytes + size);
}

// The track name, the tempo in microseconds per quarter note, the time signature (the click on
// each beat of the signature's note value, eight 32nd notes to the quarter).
void MidiFileWriter::metaEvents()
{
    std::vector<uint8_t> name = {0xFF, 0x03, sizeof(kTrackName) - 1};
    name.insert(name.end(), kTrackName, kTrackName + sizeof(kTrackName) - 1);
    event(0, name.data(), static_cast<uint32_t>(name.size()));

    const auto tempo = static_cast<uint32_t>(std::llround(60e6 / fBeatsPerMinute));
    const uint8_t tempoEvent[] = {0xFF, 0x51, 0x03, static_cast<uint8_t>(tempo >> 16),
        static_cast<uint8_t>(tempo >> 8), static_cast<uint8_t>(tempo)};
    event(0, tempoEvent, sizeof(tempoEvent));

    uint8_t power = 0;
    while ((1u << power) < fBeatType)
        ++power;
    const auto click = static_cast<uint8_t>(fBeatType <= 96 ? 96 / fBeatType : 1);
    const uint8_t signature[] = {
        0xFF, 0x58, 0x04, static_cast<uint8_t>(fBeatsPerBar), power, click, 8};
    event(0, signature, sizeof(signature));
}

void MidiFileWriter::add(uint64_t frame, const uint8_t (&bytes)[3])
{
    const uint32_t size = channelMessageSize(bytes[0]);
    if (fFile == nullptr || size == 0)
        return;
    const uint8_t channel = bytes[0] & 0x0F;
    const uint8_t command = bytes[0] & 0xF0;
    if (command == 0x90 && bytes[2] != 0) {
        fOn[channel][bytes[1] & 0x7F] = true;
        ++fNoteCount;
    } else if (command == 0x80 || command == 0x90)
        fOn[channel][bytes[1] & 0x7F] = false;
    event(tickOf(frame), bytes, size);
}

bool MidiFileWriter::close(uint64_t lastFrame)
{
    if (fFile == nullptr)
        return false;
    const uint64_t lastTick = std::max(tickOf(lastFrame), fLastTick);
    for (uint8_t channel = 0; channel < 16; ++channel) {
        for (uint8_t key = 0; key < 128; ++key) {
            if (!fOn[channel][key])
                continue;
            const uint8_t off[] = {static_cast<uint8_t>(0x80 | channel), key, 0};
            event(lastTick, off, sizeof(off));
            fOn[channel][key] = false;
        }
    }
    const uint8_t endOfTrack[] = {0xFF, 0x2F, 0x00};
    event(lastTick, endOfTrack, sizeof(endOfTrack));

    std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1};
    putBigEndian(file, kTicksPerQuarter, 2);
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    putBigEndian(file, fTrack.size(), 4);
    file.insert(file.end(), fTrack.begin(), fTrack.end());
    const bool written = std::fwrite(file.data(), 1, file.size(), fFile) == file.size();
    const bool closed = std::fclose(fFile) == 0;
    fFile = nullptr;
    return written && closed;
}
