#include "platform/gl/GlDevice.h"

#include "platform/Letterbox.h"
#include "platform/gl/FanReach.h"
#include "platform/gl/VisibleTexels.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

// Direct3D 9 puts pixel centres on whole coordinates, OpenGL half a pixel on. Moving
// every vertex by just under half an output pixel makes both cover the same pixels
// and sample the same texels: a full half would put quad edges exactly on pixel
// centres, where rasterisers break ties each its own way; the 1/256 left over is
// below what a texel's weight shows in 8 bits.
constexpr float kCentreShiftPixels = 0.5f - 1.0f / 256.0f;

constexpr GLsizeiptr kQuadBytes = 4 * sizeof(SpriteVertex);
constexpr GLsizeiptr kBufferBytes = QuadBatch::kMaxQuads * kQuadBytes;
// Two triangles a quad.
constexpr int kQuadIndices = 6;

class GlTexture : public Texture {
public:
    GlTexture(int width, int height, GLuint name, bool opaque, std::unique_ptr<VisibleTexels> visible,
              std::shared_ptr<bool> alive)
        : Texture(width, height), name_(name), opaque_(opaque), visible_(std::move(visible)), alive_(std::move(alive))
    {
    }
    ~GlTexture() override
    {
        if (*alive_)
            glDeleteTextures(1, &name_);
    }
    GLuint name() const { return name_; }
    // Every texel's alpha is full, so every sample's is, however filtered or wrapped.
    bool opaque() const { return opaque_; }
    // Null where no texel is fully transparent.
    const VisibleTexels* visible() const { return visible_.get(); }

private:
    GLuint name_;
    bool opaque_;
    std::unique_ptr<VisibleTexels> visible_;
    std::shared_ptr<bool> alive_;
};

GLenum glBlend(Blend b)
{
    switch (b) {
    case Blend::Zero: return GL_ZERO;
    case Blend::One: return GL_ONE;
    case Blend::SrcColor: return GL_SRC_COLOR;
    case Blend::InvSrcColor: return GL_ONE_MINUS_SRC_COLOR;
    case Blend::SrcAlpha: return GL_SRC_ALPHA;
    case Blend::InvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    case Blend::DestAlpha: return GL_DST_ALPHA;
    case Blend::InvDestAlpha: return GL_ONE_MINUS_DST_ALPHA;
    case Blend::DestColor: return GL_DST_COLOR;
    case Blend::InvDestColor: return GL_ONE_MINUS_DST_COLOR;
    }
    return GL_ONE;
}

GLint glFilter(Filter f) { return f == Filter::Linear ? GL_LINEAR : GL_NEAREST; }
GLint glAddress(Address a) { return a == Address::Wrap ? GL_REPEAT : GL_CLAMP_TO_EDGE; }

bool allOpaque(const std::uint32_t* argb, std::size_t count)
{
    return std::all_of(argb, argb + count, [](std::uint32_t texel) { return texel >> 24 == 255; });
}

bool noneTransparent(const std::uint32_t* argb, std::size_t count)
{
    return std::all_of(argb, argb + count, [](std::uint32_t texel) { return texel >> 24 != 0; });
}

bool verticesOpaque(const std::vector<SpriteVertex>& vertices)
{
    return std::all_of(vertices.begin(), vertices.end(),
                       [](const SpriteVertex& v) { return v.diffuse >> 24 == 255; });
}

// Whether every pixel of the batch comes out with full alpha.
bool paintsOpaque(const DeviceState& s, const std::vector<SpriteVertex>& vertices)
{
    const auto* texture = static_cast<const GlTexture*>(s.texture);
    const bool textureOpaque = texture == nullptr || texture->opaque();
    switch (s.alphaOp) {
    case StageOp::SelectArg1: return textureOpaque;
    case StageOp::Add: return textureOpaque || verticesOpaque(vertices);
    default: return textureOpaque && verticesOpaque(vertices);
    }
}

// With a source alpha of one these factors give the source and nothing of the
// destination, to the bit: blending would read the picture for nothing.
bool blendKeepsOnlyOpaqueSource(const DeviceState& s)
{
    return (s.srcBlend == Blend::One || s.srcBlend == Blend::SrcAlpha)
           && (s.destBlend == Blend::Zero || s.destBlend == Blend::InvSrcAlpha);
}

// A fan of zero alpha blended by its alpha leaves every pixel as it was.
bool changesNoPixel(const DeviceState& s, const SpriteVertex (&fan)[4])
{
    return s.alphaBlend && s.srcBlend == Blend::SrcAlpha && s.destBlend == Blend::InvSrcAlpha
           && s.alphaOp == StageOp::Modulate
           && std::all_of(fan, fan + 4, [](const SpriteVertex& v) { return v.diffuse >> 24 == 0; });
}

// Blended by the alpha the texture gives, so that where that is zero the picture
// stays as it was, to the bit: every stage setup but an added alpha.
bool blendsByTextureAlpha(const DeviceState& s)
{
    return s.texture != nullptr && s.alphaBlend && s.srcBlend == Blend::SrcAlpha && s.destBlend == Blend::InvSrcAlpha
           && s.alphaOp != StageOp::Add;
}

// Scissor rectangles are whole output pixels, rounded outward; one more each way
// leaves room for the half pixel the vertices are shifted by and for rounding.
constexpr int kScissorMargin = 1;

}  // namespace

std::unique_ptr<GlDevice> GlDevice::create(std::unique_ptr<GlContext> context)
{
    if (!context)
        return nullptr;
    std::unique_ptr<GlDevice> device(new GlDevice(std::move(context)));
    if (!device->build())
        return nullptr;
    return device;
}

GlDevice::GlDevice(std::unique_ptr<GlContext> context)
    : context_(std::move(context)), alive_(std::make_shared<bool>(true))
{
}

GlDevice::~GlDevice()
{
    *alive_ = false;
    glDeleteSamplers(1, &sampler_);
    glDeleteBuffers(1, &indexBuffer_);
    glDeleteBuffers(1, &vertexBuffer_);
    glDeleteVertexArrays(1, &vertexArray_);
}

bool GlDevice::build()
{
    if (!programs_.build())
        return false;
    glGenVertexArrays(1, &vertexArray_);
    glBindVertexArray(vertexArray_);
    glGenBuffers(1, &vertexBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glBufferData(GL_ARRAY_BUFFER, kBufferBytes, nullptr, GL_STREAM_DRAW);
    const GLsizei stride = sizeof(SpriteVertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(SpriteVertex, x)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, gldialect::kVertexColorSize, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<void*>(offsetof(SpriteVertex, diffuse)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(SpriteVertex, u)));

    const std::vector<std::uint16_t>& indices = QuadBatch::indices();
    glGenBuffers(1, &indexBuffer_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(std::uint16_t)),
                 indices.data(), GL_STATIC_DRAW);

    glGenSamplers(1, &sampler_);
    glBindSampler(0, sampler_);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    return glGetError() == GL_NO_ERROR;
}

std::shared_ptr<Texture> GlDevice::createTexture(int width, int height, const std::uint32_t* argb)
{
    flush();
    GLuint name = 0;
    glGenTextures(1, &name);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, gldialect::kWordFormat, GL_UNSIGNED_BYTE, argb);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    appliedValid_ = false;
    const auto count = static_cast<std::size_t>(width) * height;
    // A texture the driver could not take samples black everywhere: drawn whole.
    const bool uploaded = glGetError() == GL_NO_ERROR;
    auto visible = !uploaded || noneTransparent(argb, count) ? nullptr
                                                             : std::make_unique<VisibleTexels>(width, height, argb);
    return std::make_shared<GlTexture>(width, height, name, allOpaque(argb, count), std::move(visible), alive_);
}

void GlDevice::beginScene()
{
    int outputWidth = 0;
    int outputHeight = 0;
    context_->outputSize(outputWidth, outputHeight);
    const platform::Letterbox box = platform::Letterbox::fit(outputWidth, outputHeight);
    viewport_[0] = box.x;
    viewport_[1] = outputHeight - box.y - box.height;
    viewport_[2] = box.width;
    viewport_[3] = box.height;
    // The bars beside a scaled picture stay black; clears only touch the picture.
    glDisable(GL_SCISSOR_TEST);
    if (box.width != outputWidth || box.height != outputHeight) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
    // In clip space an output pixel is 2 / size wide.
    programs_.setCentreShift(2.0f * kCentreShiftPixels / static_cast<float>(std::max(box.width, 1)),
                             2.0f * kCentreShiftPixels / static_cast<float>(std::max(box.height, 1)));
    scissor(viewport_);
    glEnable(GL_SCISSOR_TEST);
}

void GlDevice::scissor(const int (&box)[4])
{
    if (std::equal(box, box + 4, scissor_))
        return;
    std::copy(box, box + 4, scissor_);
    glScissor(box[0], box[1], box[2], box[3]);
}

std::optional<FanReach::Rect> GlDevice::reach(const DeviceState& s, const SpriteVertex (&fan)[4]) const
{
    const auto* texture = static_cast<const GlTexture*>(s.texture);
    if (!blendsByTextureAlpha(s) || texture->visible() == nullptr)
        return std::nullopt;
    return FanReach::of(fan, {*texture->visible(), s.addressU == Address::Wrap, s.addressV == Address::Wrap});
}

// The batch's reach, in output pixels and inside the picture; false where it is none.
bool GlDevice::batchBox(int (&box)[4]) const
{
    if (!batchReach_) {
        std::copy(viewport_, viewport_ + 4, box);
        return true;
    }
    // From field coordinates along one axis to whole output pixels around them,
    // kept inside the picture's [start, start + size).
    const auto span = [](float low, float high, int start, int size, int fieldSize, int& from, int& length) {
        const float scale = static_cast<float>(size) / static_cast<float>(fieldSize);
        // Kept near the picture before rounding, so that any reach fits an int.
        const auto output = [&](float field) {
            return std::clamp(start + field * scale, start - 2.0f * kScissorMargin,
                              static_cast<float>(start + size) + 2.0f * kScissorMargin);
        };
        from = std::max(start, static_cast<int>(std::floor(output(low))) - kScissorMargin);
        const int to = std::min(start + size, static_cast<int>(std::ceil(output(high))) + kScissorMargin);
        length = to - from;
    };
    span(batchReach_->left, batchReach_->right, viewport_[0], viewport_[2], field::kWidth, box[0], box[2]);
    // Output rows count up from the bottom.
    span(field::kHeight - batchReach_->bottom, field::kHeight - batchReach_->top, viewport_[1], viewport_[3],
         field::kHeight, box[1], box[3]);
    return box[2] > 0 && box[3] > 0;
}

void GlDevice::endScene() { flush(); }

void GlDevice::finishFrame()
{
    flush();
    lastDrawCalls_ = drawCalls_;
    drawCalls_ = 0;
    // The frame is drawn: its vertices may be written over.
    bufferedQuads_ = 0;
}

bool GlDevice::present()
{
    finishFrame();
    context_->swap();
    return true;
}

void GlDevice::reset()
{
    // Nothing is lost on this device: textures and buffers survive.
    appliedValid_ = false;
    forgetScissor();
}

// No box asked for has a negative size, so the next is set whatever it is.
void GlDevice::forgetScissor() { std::fill(scissor_, scissor_ + 4, -1); }

void GlDevice::clear(std::uint32_t argb)
{
    flush();
    glClearColor(((argb >> 16) & 255) / 255.0f, ((argb >> 8) & 255) / 255.0f, (argb & 255) / 255.0f,
                 ((argb >> 24) & 255) / 255.0f);
    scissor(viewport_);
    // Nothing is ever tested against depth, so it is left as it is. The buffer
    // stays: without one, a software rasteriser takes paths that round differently.
    glClear(GL_COLOR_BUFFER_BIT);
}

void GlDevice::drawFan(const SpriteVertex (&vertices)[4])
{
    if (changesNoPixel(state_, vertices))
        return;
    const std::optional<FanReach::Rect> fanReach = reach(state_, vertices);
    if (fanReach && fanReach->empty())
        return;
    if (batch_.breaksOn(state_))
        flush();
    // A batch is drawn inside the rectangle around its fans' reaches, or everywhere
    // once one fan may change any pixel it covers.
    if (batch_.empty())
        batchReach_ = fanReach;
    else if (batchReach_ && fanReach)
        batchReach_ = batchReach_->joined(*fanReach);
    else
        batchReach_.reset();
    batch_.add(state_, vertices);
}

void GlDevice::apply(const DeviceState& s, bool blend)
{
    programs_.use(s);
    if (appliedValid_ && blend == appliedBlend_ && s == applied_)
        return;
    if (blend)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
    glBlendFunc(glBlend(s.srcBlend), glBlend(s.destBlend));
    glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, glFilter(s.minFilter));
    glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, glFilter(s.magFilter));
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, glAddress(s.addressU));
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, glAddress(s.addressV));
    const auto* texture = static_cast<const GlTexture*>(s.texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture != nullptr ? texture->name() : 0);
    applied_ = s;
    appliedBlend_ = blend;
    appliedValid_ = true;
}

void GlDevice::flush()
{
    if (batch_.empty())
        return;
    int box[4];
    if (!batchBox(box)) {
        batch_.clear();
        return;
    }
    scissor(box);
    const DeviceState& s = batch_.state();
    apply(s, s.alphaBlend && !(blendKeepsOnlyOpaqueSource(s) && paintsOpaque(s, batch_.vertices())));
    const int quads = batch_.quads();
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    // A frame's batches follow one another in the buffer, so none writes over
    // vertices an earlier draw of the frame may still be reading; only a frame
    // of more than the buffer holds starts it afresh.
    if (bufferedQuads_ + quads > QuadBatch::kMaxQuads) {
        glBufferData(GL_ARRAY_BUFFER, kBufferBytes, nullptr, GL_STREAM_DRAW);
        bufferedQuads_ = 0;
    }
    glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(bufferedQuads_) * kQuadBytes,
                    static_cast<GLsizeiptr>(quads) * kQuadBytes, batch_.vertices().data());
    glDrawElements(GL_TRIANGLES, quads * kQuadIndices, GL_UNSIGNED_SHORT,
                   reinterpret_cast<void*>(static_cast<std::uintptr_t>(bufferedQuads_) * kQuadIndices
                                           * sizeof(std::uint16_t)));
    bufferedQuads_ += quads;
    ++drawCalls_;
    batch_.clear();
}

std::vector<std::uint32_t> GlDevice::readPicture()
{
    flush();
    glFinish();
    const int w = viewport_[2];
    const int h = viewport_[3];
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(w) * h);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(viewport_[0], viewport_[1], w, h, gldialect::kWordFormat, GL_UNSIGNED_BYTE, rows.data());
    // GL reads bottom row first.
    std::vector<std::uint32_t> picture(rows.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            picture[static_cast<std::size_t>(y) * w + x] =
                gldialect::argbFromRead(rows[static_cast<std::size_t>(h - 1 - y) * w + x]) | 0xFF000000u;
    return picture;
}
