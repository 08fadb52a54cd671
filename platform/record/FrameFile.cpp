#include "platform/record/FrameFile.h"

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "platform/WholeFile.h"

#include <cstring>
#include <fstream>
#include <map>
#include <type_traits>

namespace {

constexpr char kMagic[8] = {'T', 'S', 'F', 'R', 'A', 'M', 'E', '1'};
// Bounds that no frame of the game comes near; a file beyond them is not a frame.
constexpr std::uint32_t kMostTextures = 1024;
constexpr std::uint32_t kLongestSide = 4096;
constexpr std::uint32_t kMostCommands = 1u << 20;

bool fits(std::uint32_t width, std::uint32_t height)
{
    return width >= 1 && height >= 1 && width <= kLongestSide && height <= kLongestSide;
}

void putU64(ByteWriter& out, std::uint64_t v)
{
    out.u32(static_cast<std::uint32_t>(v));
    out.u32(static_cast<std::uint32_t>(v >> 32));
}

std::uint64_t getU64(ByteReader& in)
{
    const std::uint64_t low = in.u32();
    return low | static_cast<std::uint64_t>(in.u32()) << 32;
}

// Floats travel as their bits.
void putF32(ByteWriter& out, float v)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    out.u32(bits);
}

float getF32(ByteReader& in)
{
    const std::uint32_t bits = in.u32();
    float v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// The state's fields in the order they are stored.
template <typename Visit>
void eachStateField(DeviceState& s, Visit visit)
{
    visit(s.srcBlend);
    visit(s.destBlend);
    visit(s.alphaBlend);
    visit(s.zWrite);
    visit(s.colorOp);
    visit(s.colorArg1);
    visit(s.colorArg2);
    visit(s.alphaOp);
    visit(s.alphaArg1);
    visit(s.alphaArg2);
    visit(s.addressU);
    visit(s.addressV);
    visit(s.minFilter);
    visit(s.magFilter);
}

void writeCommand(ByteWriter& out, const RecordingDevice::Command& c)
{
    out.u32(c.isClear ? 1 : 0);
    out.u32(c.clearColor);
    DeviceState state = c.state;
    eachStateField(state, [&](auto field) { out.u32(static_cast<std::uint32_t>(field)); });
    putU64(out, c.textureId);
    for (const SpriteVertex& v : c.vertices) {
        for (float f : {v.x, v.y, v.z, v.rhw})
            putF32(out, f);
        out.u32(v.diffuse);
        putF32(out, v.u);
        putF32(out, v.v);
    }
}

RecordingDevice::Command readCommand(ByteReader& in)
{
    RecordingDevice::Command c{};
    c.isClear = in.u32() != 0;
    c.clearColor = in.u32();
    eachStateField(c.state, [&](auto& field) {
        using Field = std::remove_reference_t<decltype(field)>;
        const std::uint32_t value = in.u32();
        if constexpr (std::is_same_v<Field, bool>)
            field = value != 0;
        else
            field = static_cast<Field>(value);
    });
    c.textureId = getU64(in);
    for (SpriteVertex& v : c.vertices) {
        for (float* f : {&v.x, &v.y, &v.z, &v.rhw})
            *f = getF32(in);
        v.diffuse = in.u32();
        v.u = getF32(in);
        v.v = getF32(in);
    }
    return c;
}

}  // namespace

bool FrameFile::save(const std::string& path, const RecordingDevice& source,
                     const std::vector<RecordingDevice::Command>& frame, std::string& error)
{
    std::map<std::uint64_t, std::shared_ptr<const RecordingDevice::RecordedTexture>> used;
    for (const RecordingDevice::Command& c : frame)
        if (auto texture = c.isClear ? nullptr : source.texture(c.textureId))
            used.emplace(c.textureId, std::move(texture));
    // Nothing is written that the reader would refuse.
    bool readable = used.size() <= kMostTextures && frame.size() <= kMostCommands;
    for (const auto& [id, texture] : used)
        readable = readable && fits(static_cast<std::uint32_t>(texture->width()),
                                    static_cast<std::uint32_t>(texture->height()));
    if (!readable) {
        error = "the frame is larger than a frame file holds";
        return false;
    }
    ByteWriter out;
    out.bytes(kMagic, sizeof kMagic);
    out.u32(static_cast<std::uint32_t>(used.size()));
    for (const auto& [id, texture] : used) {
        putU64(out, id);
        out.u32(static_cast<std::uint32_t>(texture->width()));
        out.u32(static_cast<std::uint32_t>(texture->height()));
        for (std::uint32_t pixel : texture->pixels())
            out.u32(pixel);
    }
    out.u32(static_cast<std::uint32_t>(frame.size()));
    for (const RecordingDevice::Command& c : frame)
        writeCommand(out, c);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.out.data(), static_cast<std::streamsize>(out.out.size()));
    file.close();
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool FrameFile::load(const std::string& path, RecordingDevice& into, std::string& error)
{
    textures_.clear();
    commands_.clear();
    std::string bytes;
    std::string why;
    if (readWholeFile(path, bytes, why) != WholeFile::Read) {
        error = why;
        return false;
    }
    ByteReader in(bytes);
    std::map<std::uint64_t, std::uint64_t> madeFor;
    bool ok = in.take(sizeof kMagic) == std::string_view(kMagic, sizeof kMagic);
    const std::uint32_t textureCount = in.u32();
    ok = ok && textureCount <= kMostTextures;
    for (std::uint32_t t = 0; ok && t < textureCount; ++t) {
        const std::uint64_t id = getU64(in);
        const std::uint32_t width = in.u32();
        const std::uint32_t height = in.u32();
        // Nothing is made for pixels the file does not hold.
        ok = in.ok() && fits(width, height) &&
             static_cast<std::size_t>(width) * height * sizeof(std::uint32_t) <= in.left();
        std::vector<std::uint32_t> pixels(ok ? static_cast<std::size_t>(width) * height : 0);
        for (std::uint32_t& pixel : pixels)
            pixel = in.u32();
        if (!ok)
            break;
        textures_.push_back(into.createTexture(static_cast<int>(width), static_cast<int>(height), pixels.data()));
        madeFor[id] = textures_.back()->id();
    }
    const std::uint32_t commandCount = ok ? in.u32() : 0;
    ok = ok && commandCount <= kMostCommands;
    for (std::uint32_t i = 0; ok && in.ok() && i < commandCount; ++i) {
        RecordingDevice::Command c = readCommand(in);
        // A fan whose texture the file does not hold is painted without one.
        const auto made = madeFor.find(c.textureId);
        c.textureId = made != madeFor.end() ? made->second : 0;
        commands_.push_back(c);
    }
    if (!ok || !in.ok() || in.left() != 0) {
        textures_.clear();
        commands_.clear();
        error = path + " is not a whole frame";
        return false;
    }
    return true;
}
