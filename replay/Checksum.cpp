#include "replay/Checksum.h"

#include <cstring>

namespace {
constexpr std::uint32_t kPrime = 16777619u;
}

void Checksum::addByte(std::uint8_t byte) { hash_ = (hash_ ^ byte) * kPrime; }

void Checksum::add(std::string_view bytes)
{
    for (const char c : bytes)
        addByte(static_cast<std::uint8_t>(c));
}

void Checksum::add(std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        addByte(static_cast<std::uint8_t>(value >> shift));
}

void Checksum::add(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    add(static_cast<std::uint32_t>(bits));
    add(static_cast<std::uint32_t>(bits >> 32));
}
