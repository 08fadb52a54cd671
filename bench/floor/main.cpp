// The floor for the game's CPU figures: the least an SDL2 and OpenGL program does
// at the game's pacing, a 640 x 480 window cleared and presented once per 16 ms
// step with the same context and no vertical-blank wait. Escape or closing ends it.
// With --background it also draws what every frame of a round shows beyond a clear:
// an opaque 512 x 512 image at (64, -16), sampled texel for texel and not blended.
#include <SDL.h>
#include <epoxy/gl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr Uint32 kStepMs = 16;
constexpr int kImageSize = 512;
constexpr int kImageLeft = 64;
constexpr int kImageTop = -16;
// Spreads the texel indices over all colours: what the image shows costs nothing here.
constexpr std::uint32_t kColourSpread = 2654435761u;

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 corner;
layout(location = 1) in vec2 cornerTexel;
out vec2 texel;
void main()
{
    texel = cornerTexel;
    gl_Position = vec4(corner, 0.0, 1.0);
}
)";
const char* const kFragmentShader = R"(#version 330 core
in vec2 texel;
uniform sampler2D image;
out vec4 colour;
void main() { colour = texture(image, texel); }
)";

GLuint compiled(GLenum kind, const char* source)
{
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

// The image, its program and its two triangles, left bound for every frame.
bool prepareBackground()
{
    const GLuint program = glCreateProgram();
    glAttachShader(program, compiled(GL_VERTEX_SHADER, kVertexShader));
    glAttachShader(program, compiled(GL_FRAGMENT_SHADER, kFragmentShader));
    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE)
        return false;
    glUseProgram(program);

    std::vector<std::uint32_t> texels(static_cast<std::size_t>(kImageSize) * kImageSize);
    for (std::size_t i = 0; i < texels.size(); ++i)
        texels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * kColourSpread >> 8);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kImageSize, kImageSize, 0, GL_BGRA, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

    // Corners in clip space, then texture coordinates, for two triangles.
    const float left = 2.0f * kImageLeft / kWidth - 1.0f;
    const float right = 2.0f * (kImageLeft + kImageSize) / kWidth - 1.0f;
    const float top = 1.0f - 2.0f * kImageTop / kHeight;
    const float bottom = 1.0f - 2.0f * (kImageTop + kImageSize) / kHeight;
    const float corners[] = {left, top, 0, 0, right, top, 1, 0, right, bottom, 1, 1,
                             left, top, 0, 0, right, bottom, 1, 1, left, bottom, 0, 1};
    GLuint array = 0;
    GLuint buffer = 0;
    glGenVertexArrays(1, &array);
    glBindVertexArray(array);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
    const GLsizei stride = 4 * sizeof(float);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, nullptr);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(2 * sizeof(float)));
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    return glGetError() == GL_NO_ERROR;
}

bool quitAsked()
{
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (event.type == SDL_QUIT)
            return true;
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)
            return true;
    }
    return false;
}
}  // namespace

int main(int argc, char** argv)
{
    const bool background = argc > 1 && std::strcmp(argv[1], "--background") == 0;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "floor: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_Window* window = SDL_CreateWindow("Floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth, kHeight,
                                          SDL_WINDOW_OPENGL);
    SDL_GLContext context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
    if (context == nullptr) {
        std::fprintf(stderr, "floor: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    SDL_GL_SetSwapInterval(0);
    if (background && !prepareBackground()) {
        std::fprintf(stderr, "floor: the background could not be prepared\n");
        SDL_GL_DeleteContext(context);
        SDL_DestroyWindow(window);
        SDL_Quit();
        return 1;
    }
    Uint32 next = SDL_GetTicks();
    while (!quitAsked()) {
        glClearColor(1.0f, 1.0f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (background)
            glDrawArrays(GL_TRIANGLES, 0, 6);
        SDL_GL_SwapWindow(window);
        next += kStepMs;
        const Uint32 now = SDL_GetTicks();
        if (static_cast<Sint32>(next - now) > 0)
            SDL_Delay(next - now);
        else
            next = now;
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
