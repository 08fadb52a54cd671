#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// A 32-bit FNV-1a hash: cheap, and the same on every build, since values are fed
// byte by byte from the least significant.
class Checksum {
public:
    void add(std::string_view bytes);
    void add(std::uint32_t value);
    void add(int value) { add(static_cast<std::uint32_t>(value)); }
    // The exact bits, so that a difference in the last place shows.
    void add(double value);
    std::uint32_t value() const { return hash_; }

private:
    void addByte(std::uint8_t byte);

    std::uint32_t hash_ = 2166136261u;
};
