// Building, reading and deep-copying messages. Any thread, each on its own messages.
#include "Message.h"

#include <cstring>
#include <new>

namespace {

constexpr uint32_t kMaxBytes = 0xFFFF;
// An index outside the message reads as this tag, which no type test accepts.
constexpr ElementType kNoElement = static_cast<ElementType>(0xFFFFFFFFu);

uint16_t addSaturating(uint16_t size, size_t extra) noexcept
{
    const size_t sum = size + extra;
    return static_cast<uint16_t>(sum > kMaxBytes ? kMaxBytes : sum);
}

} // namespace

Message* Message::init(void* storage, uint32_t timestamp, uint16_t n) noexcept
{
    Message* m = new (storage) Message;
    m->timestamp = timestamp;
    m->numElements = n;
    const uint32_t core = coreSize(n);
    m->numBytes = static_cast<uint16_t>(core > kMaxBytes ? kMaxBytes : core);
    return m;
}

Message* Message::initWithBang(void* storage, uint32_t timestamp) noexcept
{
    Message* m = init(storage, timestamp, 1);
    m->setBang(0);
    return m;
}

Message* Message::initWithFloat(void* storage, uint32_t timestamp, float value) noexcept
{
    Message* m = init(storage, timestamp, 1);
    m->setFloat(0, value);
    return m;
}

Message* Message::initWithSymbol(void* storage, uint32_t timestamp, const char* text) noexcept
{
    Message* m = init(storage, timestamp, 1);
    m->setSymbol(0, text);
    return m;
}

Message* Message::initWithHash(void* storage, uint32_t timestamp, uint32_t hash) noexcept
{
    Message* m = init(storage, timestamp, 1);
    m->setHash(0, hash);
    return m;
}

void Message::setBang(int i) noexcept
{
    Element& e = elements()[i];
    e.type = static_cast<uint32_t>(ElementType::Bang);
    e.payload.raw = 0;
}

void Message::setFloat(int i, float value) noexcept
{
    Element& e = elements()[i];
    e.type = static_cast<uint32_t>(ElementType::Float);
    e.payload.raw = 0;
    e.payload.f = value;
}

void Message::setSymbol(int i, const char* text) noexcept
{
    // A null text would be dereferenced by every copy; it stands for the empty text instead.
    if (text == nullptr)
        text = "";
    Element& e = elements()[i];
    e.type = static_cast<uint32_t>(ElementType::Symbol);
    e.payload.s = text;
    numBytes = addSaturating(numBytes, std::strlen(text) + 1);
}

void Message::setHash(int i, uint32_t hash) noexcept
{
    Element& e = elements()[i];
    e.type = static_cast<uint32_t>(ElementType::Hash);
    e.payload.raw = 0;
    e.payload.h = hash;
}

void Message::copyElement(int i, const Message* src, int si) noexcept
{
    switch (src->type(si)) {
    case ElementType::Bang:
        setBang(i);
        break;
    case ElementType::Float:
        setFloat(i, src->floatAt(si));
        break;
    case ElementType::Symbol:
        setSymbol(i, src->symbolAt(si));
        break;
    case ElementType::Hash:
        setHash(i, src->elements()[si].payload.h);
        break;
    }
}

uint32_t Message::requiredBytes() const noexcept
{
    uint32_t bytes = coreSize(numElements);
    const Element* e = elements();
    for (uint32_t i = 0; i < numElements && bytes <= kMaxBytes; ++i) {
        if (e[i].type != static_cast<uint32_t>(ElementType::Symbol))
            continue;
        // Reads no further into a text than the size limit needs, however long the text is.
        const size_t budget = kMaxBytes + 1 - bytes;
        bytes += static_cast<uint32_t>(strnlen(e[i].payload.s, budget)) + 1;
    }
    return bytes;
}

Message* Message::copyTo(void* dst, uint32_t capacity) const noexcept
{
    const uint32_t required = requiredBytes();
    if (required > kMaxBytes || required > capacity)
        return nullptr;
    const uint32_t core = coreSize(numElements);
    std::memcpy(dst, this, core);
    Message* copy = static_cast<Message*>(dst);
    char* text = static_cast<char*>(dst) + core;
    Element* e = copy->elements();
    for (uint32_t i = 0; i < numElements; ++i) {
        if (e[i].type != static_cast<uint32_t>(ElementType::Symbol))
            continue;
        const size_t size = std::strlen(e[i].payload.s) + 1;
        std::memcpy(text, e[i].payload.s, size);
        e[i].payload.s = text;
        text += size;
    }
    copy->numBytes = static_cast<uint16_t>(required);
    return copy;
}

ElementType Message::type(int i) const noexcept
{
    if (i < 0 || i >= numElements)
        return kNoElement;
    return static_cast<ElementType>(elements()[i].type);
}

bool Message::isBang(int i) const noexcept
{
    return type(i) == ElementType::Bang;
}
bool Message::isFloat(int i) const noexcept
{
    return type(i) == ElementType::Float;
}
bool Message::isSymbol(int i) const noexcept
{
    return type(i) == ElementType::Symbol;
}
bool Message::isHash(int i) const noexcept
{
    return type(i) == ElementType::Hash;
}
bool Message::isHashLike(int i) const noexcept
{
    return isSymbol(i) || isHash(i);
}

float Message::floatAt(int i) const noexcept
{
    return isFloat(i) ? elements()[i].payload.f : 0.0f;
}

const char* Message::symbolAt(int i) const noexcept
{
    return isSymbol(i) ? elements()[i].payload.s : "";
}

uint32_t Message::hashAt(int i) const noexcept
{
    switch (type(i)) {
    case ElementType::Bang:
        return 0xFFFFFFFFu;
    case ElementType::Float: {
        uint32_t bits;
        std::memcpy(&bits, &elements()[i].payload.f, sizeof bits);
        return bits;
    }
    case ElementType::Symbol:
        return hashString(elements()[i].payload.s);
    case ElementType::Hash:
        return elements()[i].payload.h;
    }
    return 0;
}

bool Message::matches(int i, const char* text) const noexcept
{
    if (text == nullptr)
        return false;
    switch (type(i)) {
    case ElementType::Symbol:
        return std::strcmp(elements()[i].payload.s, text) == 0;
    case ElementType::Hash:
        return elements()[i].payload.h == hashString(text);
    default:
        return false;
    }
}
