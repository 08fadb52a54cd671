#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// `text` as a whole number from 0, written in decimal digits alone (no sign, no space);
// nullopt for anything else, and for a number beyond 64 bits.
std::optional<std::int64_t> wholeNumber(std::string_view text);
