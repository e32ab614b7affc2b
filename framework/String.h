// The framework's text type: an owned, NUL-terminated UTF-8 buffer with its length. Main thread
// (it allocates); reading a String that nobody modifies is safe from any thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace Orvane {

class String {
public:
    // An empty String points at one shared static empty text and owns nothing.
    String() noexcept;
    // Copies the text; a null text or a failed allocation gives an empty String.
    explicit String(const char* text);
    // Decimal forms: "%d" and "%u".
    explicit String(int32_t value);
    explicit String(uint32_t value);

    String(const String& other);
    String(String&& other) noexcept;
    ~String();

    // Assigning the text a String already holds keeps its buffer.
    String& operator=(const char* text);
    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;

    const char* buffer() const noexcept { return fBuffer; }
    size_t length() const noexcept { return fBufferLen; }
    bool isEmpty() const noexcept { return fBufferLen == 0; }
    bool isNotEmpty() const noexcept { return fBufferLen != 0; }

    void clear() noexcept;
    // Appends `length` bytes of `text` (which need not be NUL-terminated at that point).
    // A failed allocation leaves the String empty.
    String& append(const char* text, size_t length);
    String& operator+=(const char* text);
    String& operator+=(const String& other);
    String operator+(const char* text) const;
    String operator+(const String& other) const;

    bool operator==(const char* text) const noexcept;
    bool operator==(const String& other) const noexcept;
    bool operator!=(const char* text) const noexcept { return !operator==(text); }
    bool operator!=(const String& other) const noexcept { return !operator==(other); }

private:
    char* fBuffer;
    size_t fBufferLen;
    bool fBufferAlloc;

    void copyFrom(const char* text, size_t length);
};

} // namespace Orvane
