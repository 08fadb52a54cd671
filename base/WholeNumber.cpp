#include "base/WholeNumber.h"

#include <charconv>

std::optional<std::int64_t> wholeNumber(std::string_view text)
{
    // from_chars takes a minus sign, and "-0" is no number anyone wrote for a count.
    if (text.empty() || text.front() == '-')
        return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}
