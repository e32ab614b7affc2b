// The framework's text type. Allocates with malloc so that a failed allocation can leave the
// String empty instead of throwing. Main thread.
#include "String.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace Orvane {

namespace {

char kEmptyText[1] = {'\0'};

} // namespace

String::String() noexcept : fBuffer(kEmptyText), fBufferLen(0), fBufferAlloc(false)
{
}

String::String(const char* text) : String()
{
    if (text != nullptr)
        copyFrom(text, std::strlen(text));
}

String::String(int32_t value) : String()
{
    char text[16];
    std::snprintf(text, sizeof(text), "%d", value);
    copyFrom(text, std::strlen(text));
}

String::String(uint32_t value) : String()
{
    char text[16];
    std::snprintf(text, sizeof(text), "%u", value);
    copyFrom(text, std::strlen(text));
}

String::String(const String& other) : String()
{
    copyFrom(other.fBuffer, other.fBufferLen);
}

String::String(String&& other) noexcept
    : fBuffer(other.fBuffer), fBufferLen(other.fBufferLen), fBufferAlloc(other.fBufferAlloc)
{
    other.fBuffer = kEmptyText;
    other.fBufferLen = 0;
    other.fBufferAlloc = false;
}

String::~String()
{
    clear();
}

String& String::operator=(const char* text)
{
    if (text == nullptr) {
        clear();
        return *this;
    }
    if (std::strcmp(fBuffer, text) != 0)
        copyFrom(text, std::strlen(text));
    return *this;
}

String& String::operator=(const String& other)
{
    if (*this != other)
        copyFrom(other.fBuffer, other.fBufferLen);
    return *this;
}

String& String::operator=(String&& other) noexcept
{
    if (this != &other) {
        clear();
        std::swap(fBuffer, other.fBuffer);
        std::swap(fBufferLen, other.fBufferLen);
        std::swap(fBufferAlloc, other.fBufferAlloc);
    }
    return *this;
}

void String::clear() noexcept
{
    if (fBufferAlloc)
        std::free(fBuffer);
    fBuffer = kEmptyText;
    fBufferLen = 0;
    fBufferAlloc = false;
}

String& String::append(const char* text, size_t length)
{
    if (text == nullptr || length == 0)
        return *this;
    // `s += s` appends from the buffer that realloc may move, so remember where the text was.
    const bool fromSelf = fBufferAlloc && text >= fBuffer && text < fBuffer + fBufferLen;
    const size_t selfOffset = fromSelf ? static_cast<size_t>(text - fBuffer) : 0;
    char* const grown =
        static_cast<char*>(std::realloc(fBufferAlloc ? fBuffer : nullptr, fBufferLen + length + 1));
    if (grown == nullptr) {
        clear();
        return *this;
    }
    std::memmove(grown + fBufferLen, fromSelf ? grown + selfOffset : text, length);
    fBufferLen += length;
    grown[fBufferLen] = '\0';
    fBuffer = grown;
    fBufferAlloc = true;
    return *this;
}

String& String::operator+=(const char* text)
{
    return text != nullptr ? append(text, std::strlen(text)) : *this;
}

String& String::operator+=(const String& other)
{
    return append(other.fBuffer, other.fBufferLen);
}

String String::operator+(const char* text) const
{
    String joined(*this);
    joined += text;
    return joined;
}

String String::operator+(const String& other) const
{
    String joined(*this);
    joined += other;
    return joined;
}

bool String::operator==(const char* text) const noexcept
{
    return text != nullptr && std::strcmp(fBuffer, text) == 0;
}

bool String::operator==(const String& other) const noexcept
{
    return fBufferLen == other.fBufferLen && std::memcmp(fBuffer, other.fBuffer, fBufferLen) == 0;
}

// Replaces the contents; the old buffer is released only after the copy so that copying from a
// part of this String's own buffer stays valid.
void String::copyFrom(const char* text, size_t length)
{
    if (length == 0) {
        clear();
        return;
    }
    char* const copy = static_cast<char*>(std::malloc(length + 1));
    if (copy != nullptr) {
        std::memcpy(copy, text, length);
        copy[length] = '\0';
    }
    clear();
    if (copy == nullptr)
        return;
    fBuffer = copy;
    fBufferLen = length;
    fBufferAlloc = true;
}

} // namespace Orvane
