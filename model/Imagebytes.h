#pragma once

#include <cstdint>
#include <vector>

// The controller's EEPROM contents in one format, byte for byte.
using MemoryImage = std::vector<std::uint8_t>;

// Marks a byte, a time or a speed as not used in a memory image.
constexpr std::uint8_t UnusedByte = 255;
// A step's time field that is not used; its image bytes hold UnusedByte twice.
constexpr std::int32_t UnusedTime = 15555;

// Counters are kept low byte first, speeds high byte first.
inline int ReadLittle16(const std::uint8_t* bytes)
{
    return bytes[0] | (bytes[1] << 8);
}

inline void WriteLittle16(std::uint8_t* bytes, int value)
{
    bytes[0] = std::uint8_t(value);
    bytes[1] = std::uint8_t(value >> 8);
}

inline int ReadBig16(const std::uint8_t* bytes)
{
    return (bytes[0] << 8) | bytes[1];
}

inline void WriteBig16(std::uint8_t* bytes, int value)
{
    bytes[0] = std::uint8_t(value >> 8);
    bytes[1] = std::uint8_t(value);
}
