#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Reads the numbers a ByteWriter wrote. Every read checks the bytes left; after the
// first one that fails, ok() is false and all reads give 0 or nothing.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : in_(bytes) {}
    bool ok() const { return ok_; }
    std::size_t left() const { return in_.size() - at_; }
    std::uint8_t byte();
    std::uint16_t u16();
    std::uint32_t u32();
    std::uint32_t varint();
    std::string_view take(std::size_t size);

private:
    bool need(std::size_t size);

    std::string_view in_;
    std::size_t at_ = 0;
    bool ok_ = true;
};
