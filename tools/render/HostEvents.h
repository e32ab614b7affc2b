// The event lists a host hands to process and flush: an input list the host fills before the
// call, and an output list that keeps what the plug-in pushes. Host side; the output list is
// pushed to on the audio thread and allocates only when `reserve` was too small.
#pragma once

#include "ClapEvents.h"

#include <cstdint>
#include <vector>

class InputEventList {
public:
    InputEventList();

    // Copies `header->size` bytes of the event (at least the header).
    void add(const clap_event_header_t& header);
    // Copies `bytes` bytes whatever the event's size field says (for malformed events).
    void addBytes(const void* event, size_t bytes);
    void clear() noexcept;
    uint32_t size() const noexcept { return static_cast<uint32_t>(fOffsets.size()); }
    const clap_input_events_t* list() const noexcept { return &fList; }

private:
    clap_input_events_t fList;
    // 8-byte units, so that every copied event is aligned like the original.
    std::vector<uint64_t> fStorage;
    std::vector<size_t> fOffsets;

    static uint32_t sizeOf(const clap_input_events_t* list);
    static const clap_event_header_t* get(const clap_input_events_t* list, uint32_t index);
};

class OutputEventList {
public:
    OutputEventList();

    // Space for this many event bytes and events, so that pushes do not allocate.
    void reserve(size_t bytes, size_t events);
    // Pushes beyond this many events are refused (the default is no limit).
    void setCapacity(uint32_t events) noexcept { fCapacity = events; }
    void clear() noexcept;

    uint32_t size() const noexcept { return static_cast<uint32_t>(fOffsets.size()); }
    const clap_event_header_t& at(uint32_t index) const noexcept;
    template <typename Event> const Event& as(uint32_t index) const noexcept
    {
        return reinterpret_cast<const Event&>(at(index));
    }
    const clap_output_events_t* list() const noexcept { return &fList; }

private:
    clap_output_events_t fList;
    std::vector<uint64_t> fStorage;
    std::vector<size_t> fOffsets;
    uint32_t fCapacity = UINT32_MAX;

    static bool tryPush(const clap_output_events_t* list, const clap_event_header_t* event);
};
