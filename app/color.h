#pragma once
#include <cstdint>

// A colour as Windows stores it: 0x00BBGGRR, red in the lowest byte.
using ColorRef = std::uint32_t;

constexpr unsigned redOf(ColorRef c) { return c & 0xFF; }
constexpr unsigned greenOf(ColorRef c) { return (c >> 8) & 0xFF; }
constexpr unsigned blueOf(ColorRef c) { return (c >> 16) & 0xFF; }

// A GDI+ colour: alpha, red, green, blue from the top byte down.
constexpr std::uint32_t argbOf(ColorRef c, unsigned alpha)
{
    return (std::uint32_t(alpha) << 24) | (redOf(c) << 16) | (greenOf(c) << 8) | blueOf(c);
}
