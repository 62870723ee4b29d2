#pragma once
// The program's one growable text: a length-counted ANSI byte string whose
// heap buffer is always exactly length + 1 bytes, the last one a 0.
#include <cstdint>

// Longest text append() accepts, and the most bytes it measures of a text.
constexpr std::int32_t COUNTED_STRING_LIMIT = 0x1000000;

struct CountedString {
    std::int32_t length;
    char* data;  // never null; data[length] == 0

    CountedString();
    CountedString(const CountedString& other);
    CountedString& operator=(const CountedString& other);
    ~CountedString();
};

// Makes target a copy of source.
// Returns a copy of the result.
CountedString assign(CountedString& target, CountedString source);

// Appends a NUL-terminated text. A null or empty text, or one that would take
// the length past COUNTED_STRING_LIMIT, is silently not appended.
// Returns a copy of the result.
CountedString append(CountedString& target, const char* text);

// Appends "\r\n".
void appendNewLine(CountedString& target);

// Appends the decimal text of value, with a '-' for negatives.
void appendNumber(CountedString& target, std::int32_t value);
