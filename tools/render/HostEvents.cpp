// Host-side event lists for process and flush.
#include "HostEvents.h"

#include <algorithm>
#include <cstring>

namespace {

// Appends the bytes to 8-byte storage and returns their offset in units.
size_t store(std::vector<uint64_t>& storage, const void* event, size_t bytes)
{
    const size_t offset = storage.size();
    storage.resize(offset + (bytes + 7) / 8);
    std::memcpy(storage.data() + offset, event, bytes);
    return offset;
}

size_t store(std::vector<uint64_t>& storage, const clap_event_header_t& header)
{
    return store(storage, &header, std::max<size_t>(header.size, sizeof(clap_event_header_t)));
}

} // namespace

InputEventList::InputEventList() : fList{this, sizeOf, get}
{
}

void InputEventList::add(const clap_event_header_t& header)
{
    fOffsets.push_back(store(fStorage, header));
}

void InputEventList::addBytes(const void* event, size_t bytes)
{
    fOffsets.push_back(store(fStorage, event, std::max(bytes, sizeof(clap_event_header_t))));
}

void InputEventList::clear() noexcept
{
    fStorage.clear();
    fOffsets.clear();
}

uint32_t InputEventList::sizeOf(const clap_input_events_t* list)
{
    return static_cast<const InputEventList*>(list->ctx)->size();
}

const clap_event_header_t* InputEventList::get(const clap_input_events_t* list, uint32_t index)
{
    const auto* const self = static_cast<const InputEventList*>(list->ctx);
    if (index >= self->fOffsets.size())
        return nullptr;
    return reinterpret_cast<const clap_event_header_t*>(
        self->fStorage.data() + self->fOffsets[index]);
}

OutputEventList::OutputEventList() : fList{this, tryPush}
{
}

void OutputEventList::reserve(size_t bytes, size_t events)
{
    fStorage.reserve((bytes + 7) / 8);
    fOffsets.reserve(events);
}

void OutputEventList::clear() noexcept
{
    fStorage.clear();
    fOffsets.clear();
}

const clap_event_header_t& OutputEventList::at(uint32_t index) const noexcept
{
    return *reinterpret_cast<const clap_event_header_t*>(fStorage.data() + fOffsets[index]);
}

bool OutputEventList::tryPush(const clap_output_events_t* list, const clap_event_header_t* event)
{
    auto* const self = static_cast<OutputEventList*>(list->ctx);
    if (event == nullptr || self->fOffsets.size() >= self->fCapacity)
        return false;
    self->fOffsets.push_back(store(self->fStorage, *event));
    return true;
}
