#include "base/ByteReader.h"

std::uint8_t ByteReader::byte()
{
    if (!need(1))
        return 0;
    return static_cast<std::uint8_t>(in_[at_++]);
}

std::uint16_t ByteReader::u16()
{
    const std::uint16_t low = byte();
    return static_cast<std::uint16_t>(low | byte() << 8);
}

std::uint32_t ByteReader::u32()
{
    std::uint32_t v = 0;
    for (int shift = 0; shift < 32; shift += 8)
        v |= static_cast<std::uint32_t>(byte()) << shift;
    return v;
}

std::uint32_t ByteReader::varint()
{
    std::uint32_t v = 0;
    for (int shift = 0; shift < 35; shift += 7) {
        const std::uint8_t b = byte();
        // The fifth byte holds only the top four bits.
        if (shift == 28 && b > 0x0f)
            ok_ = false;
        v |= static_cast<std::uint32_t>(b & 0x7f) << shift;
        if ((b & 0x80) == 0 || !ok_)
            return ok_ ? v : 0;
    }
    ok_ = false;
    return 0;
}

std::string_view ByteReader::take(std::size_t size)
{
    if (!need(size))
        return {};
    const std::string_view part = in_.substr(at_, size);
    at_ += size;
    return part;
}

bool ByteReader::need(std::size_t size)
{
    if (ok_ && left() < size)
        ok_ = false;
    return ok_;
}
