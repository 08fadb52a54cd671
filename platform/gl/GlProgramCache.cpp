#include "platform/gl/GlProgramCache.h"

#include "base/Field.h"

#include <cstdio>
#include <string>

namespace {

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

// Operations keep their fixed-function numbers: 2 select, 7 add, 4 modulate.
const char* const kFragmentShader = R"(
in vec4 vertexColor;
in vec2 texel;
out vec4 fragment;
uniform sampler2D image;
void main() {
#if TEXTURED
    vec4 t = FROM_WORDS(texture(image, texel));
#else
    vec4 t = vec4(1.0);
#endif
#if COLOR_OP == 7
    vec3 rgb = min(t.rgb + vertexColor.rgb, 1.0);
#elif COLOR_OP == 2
    vec3 rgb = t.rgb;
#else
    vec3 rgb = t.rgb * vertexColor.rgb;
#endif
#if ALPHA_OP == 7
    float a = min(t.a + vertexColor.a, 1.0);
#elif ALPHA_OP == 2
    float a = t.a;
#else
    float a = t.a * vertexColor.a;
#endif
    fragment = vec4(rgb, a);
}
)";

constexpr StageOp kOperationOrder[] = {StageOp::SelectArg1, StageOp::Add, StageOp::Modulate};

// The field's half size as the literals the vertex shader divides by, from its one name.
std::string fieldDefines()
{
    return "#define HALF_FIELD_WIDTH " + std::to_string(field::kWidth / 2) + ".0\n#define HALF_FIELD_HEIGHT "
           + std::to_string(field::kHeight / 2) + ".0\n";
}

GLuint compile(GLenum kind, const std::string& defines, const char* source)
{
    GLuint shader = glCreateShader(kind);
    const char* const parts[] = {gldialect::kShaderHeader, defines.c_str(), source};
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

GlProgramCache::~GlProgramCache()
{
    for (const Program& program : programs_)
        if (program.name != 0)
            glDeleteProgram(program.name);
}

int GlProgramCache::operationIndex(StageOp op)
{
    return op == StageOp::SelectArg1 ? 0 : op == StageOp::Add ? 1 : 2;
}

int GlProgramCache::variant(bool textured, int colorOp, int alphaOp)
{
    return (textured ? kOperations * kOperations : 0) + colorOp * kOperations + alphaOp;
}

GLuint GlProgramCache::link(bool textured, int colorOp, int alphaOp)
{
    const std::string defines = fieldDefines() + "#define TEXTURED " + (textured ? "1" : "0") + "\n#define COLOR_OP "
                                + std::to_string(static_cast<int>(kOperationOrder[colorOp])) + "\n#define ALPHA_OP "
                                + std::to_string(static_cast<int>(kOperationOrder[alphaOp])) + "\n";
    GLuint vertex = compile(GL_VERTEX_SHADER, defines, kVertexShader);
    GLuint fragment = compile(GL_FRAGMENT_SHADER, defines, kFragmentShader);
    GLuint program = 0;
    if (vertex != 0 && fragment != 0) {
        program = glCreateProgram();
        glAttachShader(program, vertex);
        glAttachShader(program, fragment);
        glLinkProgram(program);
    }
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = 0;
    if (program != 0)
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked && program != 0) {
        glDeleteProgram(program);
        program = 0;
    }
    return program;
}

bool GlProgramCache::build()
{
    current_ = -1;
    return make(DeviceState{});
}

bool GlProgramCache::make(const DeviceState& state)
{
    const bool textured = state.texture != nullptr;
    const int colorOp = operationIndex(state.colorOp);
    const int alphaOp = operationIndex(state.alphaOp);
    const int chosen = variant(textured, colorOp, alphaOp);
    Program& program = programs_[chosen];
    program.name = link(textured, colorOp, alphaOp);
    if (program.name == 0)
        return false;
    glUseProgram(program.name);
    current_ = chosen;
    glUniform1i(glGetUniformLocation(program.name, "image"), 0);
    program.centreShift = glGetUniformLocation(program.name, "centreShift");
    glUniform2f(program.centreShift, program.shift[0], program.shift[1]);
    return true;
}

void GlProgramCache::use(const DeviceState& state)
{
    const int chosen
        = variant(state.texture != nullptr, operationIndex(state.colorOp), operationIndex(state.alphaOp));
    Program& program = programs_[chosen];
    // Built when first used, so that starting costs one build, not eighteen; one
    // that cannot be built is tried once.
    if (program.name == 0 && !program.tried) {
        program.tried = true;
        if (!make(state))
            std::fprintf(stderr, "tessaro: OpenGL cannot build the shader for a stage setup; what uses it is not drawn\n");
    }
    if (chosen != current_) {
        glUseProgram(program.name);
        current_ = chosen;
    }
    // Each program keeps its own uniforms: set the shift where it is out of date.
    if (program.shift[0] != shift_[0] || program.shift[1] != shift_[1]) {
        program.shift[0] = shift_[0];
        program.shift[1] = shift_[1];
        glUniform2f(program.centreShift, shift_[0], shift_[1]);
    }
}

void GlProgramCache::setCentreShift(float x, float y)
{
    shift_[0] = x;
    shift_[1] = y;
}
