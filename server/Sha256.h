#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// SHA-256 (FIPS 180-4): a replay's identity, and the address hashes the server keeps
// instead of addresses.
class Sha256 {
public:
    Sha256();
    void add(std::string_view bytes);
    // The digest in lower-case hexadecimal; the object is spent after it.
    std::string hex();

    static std::string hexOf(std::string_view bytes);

private:
    static constexpr std::size_t kBlockBytes = 64;

    void compress(const unsigned char* block);

    std::array<std::uint32_t, 8> state_;
    std::array<unsigned char, kBlockBytes> block_{};
    std::size_t filled_ = 0;
    std::uint64_t length_ = 0;
};
