#include "replay/Replay.h"

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "platform/WholeFile.h"
#include "play/StageController.h"
#include "play/WandererEnemy.h"
#include "replay/Checksum.h"
#include "tools/HpGauge.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kMagic[4] = {'T', 'S', 'R', 'P'};
// The game version is written behind its length in one byte.
constexpr std::size_t kMaxVersionBytes = 255;
// A step's clock is expected one step after the read before it.
constexpr std::int32_t kStepMs = 16;

// Step records. A flags byte with the top bit clear is one step:
constexpr std::uint8_t kMoved = 0x01;        // pointer moved: dx, dy follow
constexpr std::uint8_t kButton = 0x02;       // left button down
constexpr int kReadsShift = 2;               // two bits: clock reads in the step
constexpr int kDeltaShift = 4;               // three bits: the first read's offset from 16 ms, + 3
constexpr int kExplicitDelta = 7;            // ... or the offset follows
constexpr int kDeltaBias = 3;
// With the top bit set, the low seven bits + 1 count repeats of the step before,
// without its pointer move.
constexpr std::uint8_t kRepeat = 0x80;
constexpr int kMaxRun = 128;

std::uint32_t zigzag(std::int32_t v)
{
    return (static_cast<std::uint32_t>(v) << 1) ^ static_cast<std::uint32_t>(-(static_cast<std::uint32_t>(v) >> 31));
}
std::int32_t unzigzag(std::uint32_t v) { return static_cast<std::int32_t>((v >> 1) ^ (0u - (v & 1u))); }
std::int32_t difference(std::uint32_t a, std::uint32_t b) { return static_cast<std::int32_t>(a - b); }

void encodeSteps(const std::vector<Replay::Step>& steps, ByteWriter& w)
{
    platform::Point pointer{0, 0};
    std::uint32_t clock = 0;
    std::uint8_t last = 0;
    int run = 0;
    const auto flush = [&] {
        if (run > 0)
            w.byte(static_cast<std::uint8_t>(kRepeat | (run - 1)));
        run = 0;
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Replay::Step& s = steps[i];
        const std::int32_t offset = s.clockReads > 0 ? difference(s.clock[0], clock) - kStepMs : 0;
        const bool small = offset >= -kDeltaBias && offset <= kDeltaBias;
        const int code = s.clockReads == 0 ? 0 : (small ? offset + kDeltaBias : kExplicitDelta);
        const bool moved = !(s.pointer == pointer);
        const auto flags = static_cast<std::uint8_t>((moved ? kMoved : 0) | (s.button ? kButton : 0)
                                                     | s.clockReads << kReadsShift | code << kDeltaShift);
        const bool repeatable = !moved && s.clockReads <= 1 && code != kExplicitDelta;
        if (i > 0 && repeatable && flags == (last & ~kMoved) && run < kMaxRun) {
            ++run;
        } else {
            flush();
            w.byte(flags);
            if (moved) {
                w.varint(zigzag(difference(static_cast<std::uint32_t>(s.pointer.x), static_cast<std::uint32_t>(pointer.x))));
                w.varint(zigzag(difference(static_cast<std::uint32_t>(s.pointer.y), static_cast<std::uint32_t>(pointer.y))));
            }
            if (code == kExplicitDelta)
                w.varint(zigzag(offset));
            for (int r = 1; r < s.clockReads; ++r)
                w.varint(zigzag(difference(s.clock[r], s.clock[r - 1])));
            last = flags;
        }
        pointer = s.pointer;
        if (s.clockReads > 0)
            clock = s.clock[s.clockReads - 1];
    }
    flush();
}

// One step from its flags; false when the flags cannot have been written.
bool decodeStep(std::uint8_t flags, bool repeated, ByteReader& r, Replay::Step& s, std::uint32_t& clock)
{
    std::fill(std::begin(s.clock), std::end(s.clock), 0u);
    s.button = (flags & kButton) != 0;
    s.clockReads = (flags >> kReadsShift) & 3;
    const int code = (flags >> kDeltaShift) & 7;
    if (repeated && (s.clockReads > 1 || code == kExplicitDelta))
        return false;
    if (!repeated && (flags & kMoved) != 0) {
        const std::int32_t dx = unzigzag(r.varint());
        const std::int32_t dy = unzigzag(r.varint());
        s.pointer.x = static_cast<int>(static_cast<std::uint32_t>(s.pointer.x) + static_cast<std::uint32_t>(dx));
        s.pointer.y = static_cast<int>(static_cast<std::uint32_t>(s.pointer.y) + static_cast<std::uint32_t>(dy));
    }
    if (s.clockReads == 0)
        return code == 0;
    const std::int32_t offset = code == kExplicitDelta ? unzigzag(r.varint()) : code - kDeltaBias;
    s.clock[0] = clock + static_cast<std::uint32_t>(kStepMs + offset);
    for (int i = 1; i < s.clockReads; ++i)
        s.clock[i] = s.clock[i - 1] + static_cast<std::uint32_t>(unzigzag(r.varint()));
    clock = s.clock[s.clockReads - 1];
    return r.ok();
}

bool decodeSteps(std::string_view bytes, std::uint32_t count, std::vector<Replay::Step>& steps, std::string& error)
{
    ByteReader r(bytes);
    Replay::Step step;
    std::uint32_t clock = 0;
    std::uint8_t last = 0;
    steps.clear();
    steps.reserve(count);
    while (steps.size() < count && r.ok() && r.left() > 0) {
        const std::uint8_t b = r.byte();
        const bool repeat = (b & kRepeat) != 0;
        const int times = repeat ? (b & (kRepeat - 1)) + 1 : 1;
        if (repeat && steps.empty())
            break;
        if (steps.size() + static_cast<std::size_t>(times) > count) {
            error = "more steps than the header counts";
            return false;
        }
        for (int i = 0; i < times; ++i) {
            if (!decodeStep(repeat ? static_cast<std::uint8_t>(last & ~kMoved) : b, repeat, r, step, clock)) {
                error = "damaged step " + std::to_string(steps.size() + 1);
                return false;
            }
            steps.push_back(step);
        }
        if (!repeat)
            last = b;
    }
    if (steps.size() != count || r.left() != 0) {
        error = "the steps do not match their count";
        return false;
    }
    return true;
}

void encodeResult(const Replay::Result& result, ByteWriter& w)
{
    w.u32(static_cast<std::uint32_t>(result.score));
    w.u32(static_cast<std::uint32_t>(result.comboBonus));
    w.u32(static_cast<std::uint32_t>(result.clearBonus));
    w.u32(static_cast<std::uint32_t>(result.total));
    w.byte(static_cast<std::uint8_t>(result.endKind));
    w.bytes(result.name, sizeof result.name);
}

void decodeResult(ByteReader& r, Replay::Result& result)
{
    result.score = static_cast<int>(r.u32());
    result.comboBonus = static_cast<int>(r.u32());
    result.clearBonus = static_cast<int>(r.u32());
    result.total = static_cast<int>(r.u32());
    result.endKind = static_cast<EndKind>(r.byte());
    const std::string_view name = r.take(sizeof result.name);
    std::memset(result.name, 0, sizeof result.name);
    // A file cut short gives an empty name with no bytes behind it at all.
    name.copy(result.name, name.size());
    result.name[sizeof result.name - 1] = '\0';
}

void encodeCarry(const Replay::Carry& carry, ByteWriter& w)
{
    w.u32(carry.randomState);
    w.u32(static_cast<std::uint32_t>(carry.wandererCounter));
    w.u32(static_cast<std::uint32_t>(carry.spawnTimer));
    w.u32(static_cast<std::uint32_t>(carry.gaugeBlink));
    w.byte(static_cast<std::uint8_t>(carry.gaugeBlinkFalling));
}

// A kept round has ended, one way or the other.
bool finished(EndKind kind) { return kind == EndKind::BaseDestroyed || kind == EndKind::TimeUp; }

// Only values the game itself can leave behind.
bool decodeCarry(ByteReader& r, Replay::Carry& carry)
{
    constexpr auto kWandererLimit = static_cast<std::uint32_t>(WandererEnemy::kRetargetSteps);
    constexpr auto kSpawnLimit = static_cast<std::uint32_t>(StageController::kLongestPeriod);
    constexpr auto kBlinkLimit = static_cast<std::uint32_t>(HpGauge::kBrightest) + 1;
    carry.randomState = r.u32();
    const std::uint32_t wanderer = r.u32();
    const std::uint32_t spawn = r.u32();
    const std::uint32_t blink = r.u32();
    const std::uint8_t falling = r.byte();
    carry.wandererCounter = static_cast<int>(wanderer);
    carry.spawnTimer = static_cast<int>(spawn);
    carry.gaugeBlink = static_cast<int>(blink);
    carry.gaugeBlinkFalling = falling;
    return wanderer < kWandererLimit && spawn < kSpawnLimit && blink < kBlinkLimit && falling <= 1;
}

}  // namespace

void Replay::setName(const char* name)
{
    std::memset(result.name, 0, sizeof result.name);
    std::strncpy(result.name, name, sizeof result.name - 1);
}

std::string Replay::typedName() const
{
    std::string name(result.name);
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

std::string Replay::encode() const
{
    ByteWriter w;
    w.bytes(kMagic, sizeof kMagic);
    w.u16(kFormatVersion);
    const std::string_view version = std::string_view(gameVersion).substr(0, kMaxVersionBytes);
    w.byte(static_cast<std::uint8_t>(version.size()));
    w.bytes(version.data(), version.size());
    encodeResult(result, w);
    encodeCarry(carry, w);
    w.u16(kChecksumInterval);
    w.u32(static_cast<std::uint32_t>(steps.size()));
    w.u32(static_cast<std::uint32_t>(checksums.size()));
    ByteWriter stepBytes;
    encodeSteps(steps, stepBytes);
    w.u32(static_cast<std::uint32_t>(stepBytes.out.size()));
    w.out += stepBytes.out;
    for (const std::uint32_t c : checksums)
        w.u32(c);
    Checksum sum;
    sum.add(w.out);
    w.u32(sum.value());
    return w.out;
}

bool Replay::decode(std::string_view bytes, Replay& replay, std::string& error)
{
    constexpr std::size_t kTrailer = 4;
    if (bytes.size() < sizeof kMagic + kTrailer || bytes.substr(0, sizeof kMagic) != std::string_view(kMagic, sizeof kMagic)) {
        error = "not a replay";
        return false;
    }
    ByteReader r(bytes.substr(sizeof kMagic));
    const std::uint16_t version = r.u16();
    if (version != kFormatVersion) {
        error = "replay format " + std::to_string(version) + " is not known to this build (it reads "
                + std::to_string(kFormatVersion) + ")";
        return false;
    }
    const std::string_view body = bytes.substr(0, bytes.size() - kTrailer);
    ByteReader trailer(bytes.substr(body.size()));
    Checksum sum;
    sum.add(body);
    if (sum.value() != trailer.u32()) {
        error = "damaged: its checksum does not match (truncated or altered)";
        return false;
    }
    r = ByteReader(body.substr(sizeof kMagic + 2));
    replay.gameVersion = r.take(r.byte());
    decodeResult(r, replay.result);
    const bool carryOk = decodeCarry(r, replay.carry);
    const std::uint16_t interval = r.u16();
    const std::uint32_t stepCount = r.u32();
    const std::uint32_t checksumCount = r.u32();
    const std::uint32_t stepBytes = r.u32();
    if (!r.ok() || !carryOk || !finished(replay.result.endKind) || interval != kChecksumInterval) {
        error = "damaged header";
        return false;
    }
    if (stepCount == 0 || stepCount > static_cast<std::uint32_t>(kMaxSteps) || stepBytes > r.left()
        || stepBytes < (stepCount + kMaxRun - 1) / kMaxRun) {
        error = "impossible step count " + std::to_string(stepCount);
        return false;
    }
    if (!decodeSteps(r.take(stepBytes), stepCount, replay.steps, error))
        return false;
    if (checksumCount != stepCount / kChecksumInterval || r.left() != checksumCount * 4ull) {
        error = "damaged checksums";
        return false;
    }
    replay.checksums.resize(checksumCount);
    for (std::uint32_t& c : replay.checksums)
        c = r.u32();
    return true;
}

bool Replay::readFile(const std::string& path, Replay& replay, std::string& error)
{
    std::string bytes;
    std::string why;
    switch (readWholeFile(path, bytes, why)) {
    case WholeFile::Read: return decode(bytes, replay, error);
    case WholeFile::Missing: error = "does not exist"; break;
    case WholeFile::Folder: error = "is a folder, not a replay"; break;
    case WholeFile::TooLarge: error = "too large for a replay"; break;
    // The system's reason, which names the file.
    case WholeFile::Unreadable: error = why; break;
    }
    return false;
}
