#include "app/counted_string.h"

#include <cstring>
#include <new>

namespace {

char* allocateText(std::int32_t length)
{
    return static_cast<char*>(::operator new(static_cast<std::size_t>(length) + 1));
}

void releaseText(char* text)
{
    ::operator delete(text);
}

// Bytes before the terminator, but never more than the limit: a text with no
// terminator in reach counts as exactly COUNTED_STRING_LIMIT bytes.
std::int32_t boundedLength(const char* text)
{
    std::int32_t n = 0;
    while (n < COUNTED_STRING_LIMIT && text[n] != 0)
        ++n;
    return n;
}

// Replaces the buffer by a new one holding the old text followed by `extra`.
void appendBytes(CountedString& target, const char* extra, std::int32_t extraLength)
{
    std::int32_t newLength = target.length + extraLength;
    char* grown = allocateText(newLength);
    std::memcpy(grown, target.data, static_cast<std::size_t>(target.length));
    std::memcpy(grown + target.length, extra, static_cast<std::size_t>(extraLength));
    grown[newLength] = 0;
    releaseText(target.data);
    target.data = grown;
    target.length = newLength;
}

}  // namespace

CountedString::CountedString() : length(boundedLength("")), data(allocateText(length))
{
    data[0] = 0;
}

CountedString::CountedString(const CountedString& other)
    : length(other.length), data(allocateText(other.length))
{
    std::memcpy(data, other.data, static_cast<std::size_t>(length));
    data[length] = 0;
}

CountedString& CountedString::operator=(const CountedString& other)
{
    assign(*this, other);
    return *this;
}

CountedString::~CountedString()
{
    if (data)
        releaseText(data);
}

CountedString assign(CountedString& target, CountedString source)
{
    // The source is a copy of its own, so assigning a string to itself is
    // safe without a test.
    releaseText(target.data);
    target.length = source.length;
    target.data = allocateText(source.length);
    std::memcpy(target.data, source.data, static_cast<std::size_t>(source.length));
    target.data[target.length] = 0;
    return target;
}

CountedString append(CountedString& target, const char* text)
{
    if (!text || text[0] == 0)
        return target;
    std::int32_t n = boundedLength(text);
    // Compared without adding, so a long target cannot overflow the sum.
    if (n > COUNTED_STRING_LIMIT - target.length)
        return target;
    appendBytes(target, text, n);
    return target;
}

void appendNewLine(CountedString& target)
{
    appendBytes(target, "\r\n", 2);
}

void appendNumber(CountedString& target, std::int32_t value)
{
    // Room for "-2147483648" and the terminator.
    char digits[12];
    char* end = digits + sizeof digits;
    char* p = end;
    *--p = 0;
    // Work in negative numbers so INT_MIN needs no special case.
    std::int32_t rest = value < 0 ? value : -value;
    do {
        *--p = static_cast<char>('0' - rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (value < 0)
        *--p = '-';
    appendBytes(target, p, boundedLength(p));
}
