#pragma once
// Cutting an ANSI text to a buffer without splitting a double-byte
// character: never between a lead byte and its trail byte.
#include <cstddef>

// How many of a text's `length` bytes fit `room` bytes, cut after a whole
// character; `isLeadByte` tells the code page's lead bytes.
template <class IsLeadByte>
std::size_t wholeCharactersFitting(const char* text, std::size_t length, std::size_t room, IsLeadByte isLeadByte)
{
    if (length <= room)
        return length;
    std::size_t kept = 0;
    for (std::size_t next; kept < length; kept = next) {
        next = kept + (isLeadByte(static_cast<unsigned char>(text[kept])) && kept + 1 < length ? 2 : 1);
        if (next > room)
            break;
    }
    return kept;
}
