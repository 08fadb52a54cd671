#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Bytes of a file being made: numbers little-endian, whatever the machine.
class ByteWriter {
public:
    void byte(std::uint8_t v) { out.push_back(static_cast<char>(v)); }
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    // Seven bits a byte, the top bit set on all but the last.
    void varint(std::uint32_t v);
    void bytes(const void* data, std::size_t size) { out.append(static_cast<const char*>(data), size); }

    std::string out;
};
