#include "platform/gl/GlDevice.h"

#include "platform/Letterbox.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace {

// Direct3D 9 puts pixel centres on whole coordinates, OpenGL half a pixel on. Moving
// every vertex by just under half an output pixel makes both cover the same pixels
// and sample the same texels: a full half would put quad edges exactly on pixel
// centres, where rasterisers break ties each its own way; the 1/256 left over is
// below what a texel's weight shows in 8 bits.
constexpr float kCentreShiftPixels = 0.5f - 1.0f / 256.0f;

constexpr auto kBufferBytes = static_cast<GLsizeiptr>(QuadBatch::kMaxQuads * 4 * sizeof(SpriteVertex));

const char* const kVertexShader = R"(
layout(location = 0) in vec2 position;
layout(location = 1) in vec4 color;
layout(location = 2) in vec2 uv;
out vec4 vertexColor;
out vec2 texel;
uniform vec2 centreShift;
void main() {
    gl_Position = vec4(position.x / HALF_FIELD_WIDTH - 1.0 + centreShift.x,
                       1.0 - position.y / HALF_FIELD_HEIGHT - centreShift.y, 0.0, 1.0);
    vertexColor = FROM_WORDS(color);
    texel = uv;
}
)";

// Stage operations keep their fixed-function numbers: 2 select, 4 modulate, 7 add.
const char* const kFragmentShader = R"(
in vec4 vertexColor;
in vec2 texel;
out vec4 fragment;
uniform sampler2D image;
uniform int hasTexture;
uniform int colorOp;
uniform int alphaOp;
void main() {
    vec4 t = hasTexture != 0 ? FROM_WORDS(texture(image, texel)) : vec4(1.0);
    vec3 rgb = colorOp == 7 ? min(t.rgb + vertexColor.rgb, 1.0)
             : colorOp == 2 ? t.rgb : t.rgb * vertexColor.rgb;
    float a = alphaOp == 7 ? min(t.a + vertexColor.a, 1.0)
            : alphaOp == 2 ? t.a : t.a * vertexColor.a;
    fragment = vec4(rgb, a);
}
)";

class GlTexture : public Texture {
public:
    GlTexture(int width, int height, GLuint name, std::shared_ptr<bool> alive)
        : Texture(width, height), name_(name), alive_(std::move(alive))
    {
    }
    ~GlTexture() override
    {
        if (*alive_)
            glDeleteTextures(1, &name_);
    }
    GLuint name() const { return name_; }

private:
    GLuint name_;
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

// The field's half size as the literals the shader divides by, from its one name.
const std::string& fieldDefines()
{
    static const std::string defines = "#define HALF_FIELD_WIDTH " + std::to_string(field::kWidth / 2)
                                       + ".0\n#define HALF_FIELD_HEIGHT " + std::to_string(field::kHeight / 2)
                                       + ".0\n";
    return defines;
}

GLuint compile(GLenum kind, const char* source)
{
    GLuint shader = glCreateShader(kind);
    const char* const parts[] = {gldialect::kShaderHeader, fieldDefines().c_str(), source};
    glShaderSource(shader, 3, parts, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

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
    if (program_ != 0) {
        glDeleteSamplers(1, &sampler_);
        glDeleteBuffers(1, &indexBuffer_);
        glDeleteBuffers(1, &vertexBuffer_);
        glDeleteVertexArrays(1, &vertexArray_);
        glDeleteProgram(program_);
    }
}

bool GlDevice::build()
{
    GLuint vertex = compile(GL_VERTEX_SHADER, kVertexShader);
    GLuint fragment = compile(GL_FRAGMENT_SHADER, kFragmentShader);
    if (vertex == 0 || fragment == 0)
        return false;
    program_ = glCreateProgram();
    glAttachShader(program_, vertex);
    glAttachShader(program_, fragment);
    glLinkProgram(program_);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = 0;
    glGetProgramiv(program_, GL_LINK_STATUS, &linked);
    if (!linked)
        return false;
    glUseProgram(program_);
    glUniform1i(glGetUniformLocation(program_, "image"), 0);
    hasTextureLocation_ = glGetUniformLocation(program_, "hasTexture");
    colorOpLocation_ = glGetUniformLocation(program_, "colorOp");
    alphaOpLocation_ = glGetUniformLocation(program_, "alphaOp");
    centreShiftLocation_ = glGetUniformLocation(program_, "centreShift");

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
    return std::make_shared<GlTexture>(width, height, name, alive_);
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
    glUniform2f(centreShiftLocation_, 2.0f * kCentreShiftPixels / static_cast<float>(std::max(box.width, 1)),
                2.0f * kCentreShiftPixels / static_cast<float>(std::max(box.height, 1)));
    glScissor(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
    glEnable(GL_SCISSOR_TEST);
}

void GlDevice::endScene() { flush(); }

void GlDevice::finishFrame()
{
    flush();
    lastDrawCalls_ = drawCalls_;
    drawCalls_ = 0;
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
}

void GlDevice::clear(std::uint32_t argb)
{
    flush();
    glClearColor(((argb >> 16) & 255) / 255.0f, ((argb >> 8) & 255) / 255.0f, (argb & 255) / 255.0f,
                 ((argb >> 24) & 255) / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GlDevice::drawFan(const SpriteVertex (&vertices)[4])
{
    if (batch_.breaksOn(state_))
        flush();
    batch_.add(state_, vertices);
}

void GlDevice::apply(const DeviceState& s)
{
    if (appliedValid_ && s == applied_)
        return;
    if (s.alphaBlend)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
    glBlendFunc(glBlend(s.srcBlend), glBlend(s.destBlend));
    glUniform1i(colorOpLocation_, static_cast<GLint>(s.colorOp));
    glUniform1i(alphaOpLocation_, static_cast<GLint>(s.alphaOp));
    glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, glFilter(s.minFilter));
    glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, glFilter(s.magFilter));
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, glAddress(s.addressU));
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, glAddress(s.addressV));
    const auto* texture = static_cast<const GlTexture*>(s.texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture != nullptr ? texture->name() : 0);
    glUniform1i(hasTextureLocation_, texture != nullptr);
    applied_ = s;
    appliedValid_ = true;
}

void GlDevice::flush()
{
    if (batch_.empty())
        return;
    apply(batch_.state());
    const auto bytes = static_cast<GLsizeiptr>(batch_.vertices().size() * sizeof(SpriteVertex));
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    // Orphaning lets the driver hand out fresh memory instead of waiting on the last draw.
    glBufferData(GL_ARRAY_BUFFER, kBufferBytes, nullptr, GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, batch_.vertices().data());
    const auto quads = static_cast<GLsizei>(batch_.quads());
    glDrawElements(GL_TRIANGLES, quads * 6, GL_UNSIGNED_SHORT, nullptr);
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
