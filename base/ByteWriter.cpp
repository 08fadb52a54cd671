#include "base/ByteWriter.h"

void ByteWriter::u16(std::uint16_t v)
{
    byte(static_cast<std::uint8_t>(v & 0xff));
    byte(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::u32(std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        byte(static_cast<std::uint8_t>(v >> shift));
}

void ByteWriter::varint(std::uint32_t v)
{
    for (; v >= 0x80; v >>= 7)
        byte(static_cast<std::uint8_t>(v | 0x80));
    byte(static_cast<std::uint8_t>(v));
}
