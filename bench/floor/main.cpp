// The floor for the game's CPU figures: the least an SDL2 and OpenGL program does
// at the game's pacing, a 640 x 480 window cleared and presented once per 16 ms
// step with the same context and no vertical-blank wait. Escape or closing ends it.
// With --background it also draws what every frame of a round shows beyond a clear:
// an opaque 512 x 512 image at (64, -16), sampled texel for texel and not blended.
// With --own-present [SIZE] it clears a picture kept in a framebuffer object and shows
// it itself, read back into an X shared-memory image, instead of by OpenGL's swap: the
// whole picture, or a square of SIZE pixels moving over it, as a program that draws and
// shows only what changed would.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <epoxy/gl.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
constexpr int kBytesPerPixel = 4;
// How far the square shown with --own-present SIZE moves each frame.
constexpr int kSquareStepX = 7;
constexpr int kSquareStepY = 5;

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

// The picture kept in a framebuffer object, and the window's shared-memory image.
struct OwnPresentation {
    Display* display = nullptr;
    ::Window window = 0;
    GC gc = nullptr;
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    std::vector<std::uint8_t> rows;
    int size = 0;  // of the square shown; 0 for the whole picture
    int frame = 0;
};

bool prepareOwnPresentation(SDL_Window* sdlWindow, OwnPresentation& own)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(sdlWindow, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11)
        return false;
    own.display = info.info.x11.display;
    own.window = info.info.x11.window;
    XWindowAttributes attributes;
    if (XShmQueryExtension(own.display) == False || XGetWindowAttributes(own.display, own.window, &attributes) == 0)
        return false;
    own.image = XShmCreateImage(own.display, attributes.visual, attributes.depth, ZPixmap, nullptr, &own.segment,
                                kWidth, kHeight);
    if (own.image == nullptr || own.image->bits_per_pixel != 8 * kBytesPerPixel)
        return false;
    own.segment.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(own.image->bytes_per_line) * kHeight,
                               IPC_CREAT | 0600);
    if (own.segment.shmid < 0)
        return false;
    void* memory = shmat(own.segment.shmid, nullptr, 0);
    const bool mapped = memory != reinterpret_cast<void*>(-1);
    own.segment.shmaddr = own.image->data = static_cast<char*>(memory);
    own.segment.readOnly = False;
    const bool attached = mapped && XShmAttach(own.display, &own.segment) != False;
    XSync(own.display, False);
    // Gone once both sides let go of it.
    shmctl(own.segment.shmid, IPC_RMID, nullptr);
    own.gc = XCreateGC(own.display, own.window, 0, nullptr);
    own.rows.resize(static_cast<std::size_t>(kWidth) * kHeight * kBytesPerPixel);

    GLuint framebuffer = 0;
    GLuint colour = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kWidth, kHeight);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    return attached && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

// The part of the picture shown this frame, in window rows counted from the top.
struct Part {
    int x;
    int y;
    int width;
    int height;
};

Part nextPart(OwnPresentation& own)
{
    if (own.size == 0)
        return {0, 0, kWidth, kHeight};
    const int frame = own.frame++;
    return {frame * kSquareStepX % (kWidth - own.size), frame * kSquareStepY % (kHeight - own.size), own.size,
            own.size};
}

// Clears from now on touch only the part shown: the rest of the kept picture stays as
// it was. The whole picture is cleared as the plain floor clears it, unscissored.
void scissorTo(const Part& part)
{
    const bool whole = part.width == kWidth && part.height == kHeight;
    if (whole) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(part.x, kHeight - part.y - part.height, part.width, part.height);
}

// Reads the part back, turns its rows the window's way up and puts it there.
void presentOwn(OwnPresentation& own, const Part& part)
{
    glReadPixels(part.x, kHeight - part.y - part.height, part.width, part.height, GL_BGRA, GL_UNSIGNED_BYTE,
                 own.rows.data());
    const std::size_t rowBytes = static_cast<std::size_t>(part.width) * kBytesPerPixel;
    for (int row = 0; row < part.height; ++row)
        std::memcpy(own.image->data + static_cast<std::size_t>(part.y + row) * own.image->bytes_per_line
                        + static_cast<std::size_t>(part.x) * kBytesPerPixel,
                    own.rows.data() + static_cast<std::size_t>(part.height - 1 - row) * rowBytes, rowBytes);
    XShmPutImage(own.display, own.window, own.gc, own.image, part.x, part.y, part.x, part.y, part.width,
                 part.height, False);
    XFlush(own.display);
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
    const bool ownPresent = argc > 1 && std::strcmp(argv[1], "--own-present") == 0;
    OwnPresentation own;
    own.size = ownPresent && argc > 2 ? std::atoi(argv[2]) : 0;
    if (own.size < 0 || own.size >= kHeight) {
        std::fprintf(stderr, "floor: the square shown must be 0 to %d pixels\n", kHeight - 1);
        return 2;
    }
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
    if (ownPresent && !prepareOwnPresentation(window, own)) {
        std::fprintf(stderr, "floor: the picture cannot be shown through an X shared-memory image here\n");
        SDL_GL_DeleteContext(context);
        SDL_DestroyWindow(window);
        SDL_Quit();
        return 1;
    }
    Uint32 next = SDL_GetTicks();
    while (!quitAsked()) {
        const Part part = nextPart(own);
        if (ownPresent)
            scissorTo(part);
        glClearColor(1.0f, 1.0f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (background)
            glDrawArrays(GL_TRIANGLES, 0, 6);
        if (ownPresent)
            presentOwn(own, part);
        else
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
