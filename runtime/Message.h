// Timestamped control messages and name hashing: the unit of every event in the runtime.
// Plain data, no locks; any thread may build messages on its own stack.
#pragma once

#include <cstddef>
#include <cstdint>

enum class ElementType : uint32_t {
    Bang = 0,
    Float = 1,
    Symbol = 2,
    Hash = 3
};

// 16 bytes: a type tag, a gap that is never read, and an 8-byte payload.
struct Element {
    uint32_t type;
    uint32_t gap;
    union {
        float f;
        uint32_t h;
        const char* s;
        uint64_t raw;
    } payload;
};
static_assert(sizeof(Element) == 16, "messages are copied byte-wise");

// Fixed layout, copied byte-wise into pools and pipes: u32 timestamp, u16 element count,
// u16 byte size (header + elements + the text of the symbols), then the elements.
struct alignas(8) Message {
    uint32_t timestamp;
    uint16_t numElements;
    uint16_t numBytes;

    static constexpr uint32_t coreSize(uint32_t n) { return 8 + 16 * n; }

    // Construction over caller-provided storage of at least coreSize(n) bytes.
    static Message* init(void* storage, uint32_t timestamp, uint16_t n) noexcept;
    static Message* initWithBang(void* storage, uint32_t timestamp) noexcept;
    static Message* initWithFloat(void* storage, uint32_t timestamp, float value) noexcept;
    static Message* initWithSymbol(void* storage, uint32_t timestamp, const char* text) noexcept;
    static Message* initWithHash(void* storage, uint32_t timestamp, uint32_t hash) noexcept;

    Element* elements() noexcept { return reinterpret_cast<Element*>(this + 1); }
    const Element* elements() const noexcept { return reinterpret_cast<const Element*>(this + 1); }

    void setBang(int i) noexcept;
    void setFloat(int i, float value) noexcept;
    // Adds the text's length + 1 to the byte size; the byte size saturates at 0xFFFF,
    // which no copy accepts. A null text is stored as the empty text.
    void setSymbol(int i, const char* text) noexcept;
    void setHash(int i, uint32_t hash) noexcept;
    // Copies type and payload of src's element si; a symbol keeps pointing at src's text.
    void copyElement(int i, const Message* src, int si) noexcept;

    // Bytes a self-contained copy needs, computed from the elements (not from numBytes);
    // larger than 0xFFFF for a message that cannot be copied.
    uint32_t requiredBytes() const noexcept;
    // Deep copy into dst (capacity bytes); the copy owns its texts. Returns the copy, or
    // null (nothing written) when it would not fit the capacity or the u16 size field.
    Message* copyTo(void* dst, uint32_t capacity) const noexcept;

    // Readers take any index: one outside the message has a tag outside ElementType, so no
    // type test holds, and reads as float 0, the empty text and hash 0.
    ElementType type(int i) const noexcept;
    bool isBang(int i) const noexcept;
    bool isFloat(int i) const noexcept;
    bool isSymbol(int i) const noexcept;
    bool isHash(int i) const noexcept;
    bool isHashLike(int i) const noexcept; // Symbol or Hash
    float floatAt(int i) const noexcept;
    const char* symbolAt(int i) const noexcept; // "" unless element i is a Symbol
    // Bang 0xFFFFFFFF, Float its bit pattern, Symbol hashString of its text, Hash the hash.
    uint32_t hashAt(int i) const noexcept;
    // Symbol: texts equal byte-wise; Hash: stored hash equals hashString(text).
    bool matches(int i, const char* text) const noexcept;
};
static_assert(sizeof(Message) == 8, "elements start at offset 8");

// Stack room for a temporary message of N elements.
template <int N> struct MessageStorage {
    alignas(8) unsigned char bytes[Message::coreSize(N)];
};

// 32-bit MurmurHash2 with the text length as seed and sign-extended tail bytes; null gives 0.
// constexpr so that every receiver, table and selector name is a compile-time constant.
constexpr uint32_t hashString(const char* text) noexcept
{
    if (text == nullptr)
        return 0;
    uint32_t n = 0;
    while (text[n] != '\0')
        ++n;
    constexpr uint32_t m = 0x5bd1e995;
    uint32_t h = n;
    uint32_t i = 0;
    auto byte = [text](uint32_t at) {
        return static_cast<uint32_t>(static_cast<unsigned char>(text[at]));
    };
    auto signedByte = [text](uint32_t at) {
        return static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(text[at])));
    };
    for (; n - i >= 4; i += 4) {
        uint32_t k = byte(i) | byte(i + 1) << 8 | byte(i + 2) << 16 | byte(i + 3) << 24;
        k *= m;
        k ^= k >> 24;
        k *= m;
        h *= m;
        h ^= k;
    }
    switch (n - i) {
    case 3:
        h ^= signedByte(i + 2) << 16;
        [[fallthrough]];
    case 2:
        h ^= signedByte(i + 1) << 8;
        [[fallthrough]];
    case 1:
        h ^= signedByte(i);
        h *= m;
    }
    h ^= h >> 13;
    h *= m;
    h ^= h >> 15;
    return h;
}
