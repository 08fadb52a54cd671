#pragma once

#include "platform/gl/GlContext.h"
#include "platform/sdl/WindowGeometry.h"

#include <SDL.h>

#include <memory>
#include <string>

// An OpenGL 3.3 core context on an SDL window.
class SdlGlContext : public GlContext {
public:
    // Null when the window cannot have one; why then says what is missing.
    static std::unique_ptr<SdlGlContext> create(SDL_Window* window, std::string& why);
    ~SdlGlContext() override;
    SdlGlContext(const SdlGlContext&) = delete;
    SdlGlContext& operator=(const SdlGlContext&) = delete;

    void outputSize(int& width, int& height) const override;
    void swap() override;

private:
    SdlGlContext(SDL_Window* window, SDL_GLContext context) : window_(window), geometry_(window), context_(context) {}

    SDL_Window* window_;
    platform::WindowGeometry geometry_;
    SDL_GLContext context_;
};
