#include "platform/record/FrameFile.h"

#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <type_traits>

namespace {

constexpr char kMagic[8] = {'T', 'S', 'F', 'R', 'A', 'M', 'E', '1'};
// Bounds that no frame of the game comes near; a file beyond them is not a frame.
constexpr std::uint32_t kMostTextures = 1024;
constexpr std::uint32_t kLongestSide = 4096;
constexpr std::uint32_t kMostCommands = 1u << 20;
constexpr std::streamsize kLargestFile = std::streamsize{1} << 27;

class Writer {
public:
    void u32(std::uint32_t v)
    {
        for (int shift = 0; shift < 32; shift += 8)
            bytes_.push_back(static_cast<char>((v >> shift) & 0xFFu));
    }
    void u64(std::uint64_t v)
    {
        u32(static_cast<std::uint32_t>(v));
        u32(static_cast<std::uint32_t>(v >> 32));
    }
    void f32(float v)
    {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        u32(bits);
    }
    void raw(const char* data, std::size_t size) { bytes_.append(data, size); }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Reads forward through the file's bytes; once anything is missing, every read fails.
class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}
    bool u32(std::uint32_t& v)
    {
        if (!has(4))
            return false;
        v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
        at_ += 4;
        return true;
    }
    bool u64(std::uint64_t& v)
    {
        std::uint32_t low = 0;
        std::uint32_t high = 0;
        if (!u32(low) || !u32(high))
            return false;
        v = low | (static_cast<std::uint64_t>(high) << 32);
        return true;
    }
    bool f32(float& v)
    {
        std::uint32_t bits = 0;
        if (!u32(bits))
            return false;
        std::memcpy(&v, &bits, sizeof v);
        return true;
    }
    bool magic()
    {
        if (!has(sizeof kMagic) || bytes_.compare(at_, sizeof kMagic, kMagic, sizeof kMagic) != 0)
            return false;
        at_ += sizeof kMagic;
        return true;
    }
    bool atEnd() const { return at_ == bytes_.size(); }
    std::size_t remaining() const { return bytes_.size() - at_; }

private:
    bool has(std::size_t count)
    {
        ok_ = ok_ && bytes_.size() - at_ >= count;
        return ok_;
    }

    const std::string& bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

bool fits(std::uint32_t width, std::uint32_t height)
{
    return width >= 1 && height >= 1 && width <= kLongestSide && height <= kLongestSide;
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

void writeCommand(Writer& out, const RecordingDevice::Command& c)
{
    out.u32(c.isClear ? 1 : 0);
    out.u32(c.clearColor);
    DeviceState state = c.state;
    eachStateField(state, [&](auto field) { out.u32(static_cast<std::uint32_t>(field)); });
    out.u64(c.textureId);
    for (const SpriteVertex& v : c.vertices) {
        out.f32(v.x);
        out.f32(v.y);
        out.f32(v.z);
        out.f32(v.rhw);
        out.u32(v.diffuse);
        out.f32(v.u);
        out.f32(v.v);
    }
}

bool readCommand(Reader& in, RecordingDevice::Command& c)
{
    std::uint32_t isClear = 0;
    bool ok = in.u32(isClear) && in.u32(c.clearColor);
    c.isClear = isClear != 0;
    c.state = DeviceState{};
    eachStateField(c.state, [&](auto& field) {
        std::uint32_t value = 0;
        ok = ok && in.u32(value);
        if constexpr (std::is_same_v<std::remove_reference_t<decltype(field)>, bool>)
            field = value != 0;
        else
            field = static_cast<std::remove_reference_t<decltype(field)>>(value);
    });
    ok = ok && in.u64(c.textureId);
    for (SpriteVertex& v : c.vertices)
        ok = ok && in.f32(v.x) && in.f32(v.y) && in.f32(v.z) && in.f32(v.rhw) && in.u32(v.diffuse) && in.f32(v.u) &&
             in.f32(v.v);
    return ok;
}

}  // namespace

bool FrameFile::save(const std::string& path, const RecordingDevice& source,
                     const std::vector<RecordingDevice::Command>& frame, std::string& error)
{
    std::set<std::uint64_t> used;
    for (const RecordingDevice::Command& c : frame)
        if (!c.isClear && source.texture(c.textureId))
            used.insert(c.textureId);
    // Nothing is written that the reader would refuse.
    bool readable = used.size() <= kMostTextures && frame.size() <= kMostCommands;
    for (std::uint64_t id : used) {
        const auto texture = source.texture(id);
        readable = readable && fits(static_cast<std::uint32_t>(texture->width()),
                                    static_cast<std::uint32_t>(texture->height()));
    }
    if (!readable) {
        error = "the frame is larger than a frame file holds";
        return false;
    }
    Writer out;
    out.raw(kMagic, sizeof kMagic);
    out.u32(static_cast<std::uint32_t>(used.size()));
    for (std::uint64_t id : used) {
        const auto texture = source.texture(id);
        out.u64(id);
        out.u32(static_cast<std::uint32_t>(texture->width()));
        out.u32(static_cast<std::uint32_t>(texture->height()));
        for (std::uint32_t pixel : texture->pixels())
            out.u32(pixel);
    }
    out.u32(static_cast<std::uint32_t>(frame.size()));
    for (const RecordingDevice::Command& c : frame)
        writeCommand(out, c);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.bytes().data(), static_cast<std::streamsize>(out.bytes().size()));
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
    std::ifstream file(path, std::ios::binary);
    std::string bytes;
    if (file) {
        file.seekg(0, std::ios::end);
        const std::streamsize size = file.tellg();
        file.seekg(0);
        if (size >= 0 && size <= kLargestFile) {
            bytes.resize(static_cast<std::size_t>(size));
            file.read(bytes.data(), size);
        }
    }
    if (!file || bytes.empty()) {
        error = "cannot read " + path;
        return false;
    }
    Reader in(bytes);
    std::map<std::uint64_t, std::uint64_t> madeFor;
    std::uint32_t textureCount = 0;
    bool ok = in.magic() && in.u32(textureCount) && textureCount <= kMostTextures;
    for (std::uint32_t t = 0; ok && t < textureCount; ++t) {
        std::uint64_t id = 0;
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        ok = in.u64(id) && in.u32(width) && in.u32(height) && fits(width, height) &&
             static_cast<std::size_t>(width) * height * sizeof(std::uint32_t) <= in.remaining();
        std::vector<std::uint32_t> pixels(ok ? static_cast<std::size_t>(width) * height : 0);
        for (std::uint32_t& pixel : pixels)
            ok = ok && in.u32(pixel);
        if (!ok)
            break;
        textures_.push_back(into.createTexture(static_cast<int>(width), static_cast<int>(height), pixels.data()));
        madeFor[id] = textures_.back()->id();
    }
    std::uint32_t commandCount = 0;
    ok = ok && in.u32(commandCount) && commandCount <= kMostCommands;
    for (std::uint32_t i = 0; ok && i < commandCount; ++i) {
        RecordingDevice::Command c{};
        ok = readCommand(in, c);
        // A fan whose texture the file does not hold is painted without one.
        const auto made = madeFor.find(c.textureId);
        c.textureId = made != madeFor.end() ? made->second : 0;
        commands_.push_back(c);
    }
    if (!ok || !in.atEnd()) {
        textures_.clear();
        commands_.clear();
        error = path + " is not a whole frame";
        return false;
    }
    return true;
}
