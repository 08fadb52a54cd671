// The replay reader on any bytes: it refuses them with a reason or reads them whole,
// and what it reads writes back to bytes that read the same. The bytes are also tried
// with their last four made the right checksum, so that the fuzzer reaches the parts
// of the reader behind the checksum.
#include "replay/Checksum.h"
#include "replay/Replay.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void readBack(std::string_view bytes)
{
    Replay replay;
    std::string error;
    if (!Replay::decode(bytes, replay, error)) {
        if (error.empty())
            __builtin_trap();
        return;
    }
    Replay again;
    if (!Replay::decode(replay.encode(), again, error) || again.steps.size() != replay.steps.size()
        || again.result.total != replay.result.total)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    readBack(bytes);
    constexpr std::size_t kTrailer = 4;
    if (bytes.size() >= kTrailer) {
        Checksum sum;
        sum.add(std::string_view(bytes).substr(0, bytes.size() - kTrailer));
        for (std::size_t i = 0; i < kTrailer; ++i)
            bytes[bytes.size() - kTrailer + i] = static_cast<char>(sum.value() >> (8 * i));
        readBack(bytes);
    }
    return 0;
}
