#pragma once

#include "platform/DeviceState.h"
#include "platform/gl/GlDialect.h"

#include <array>

// The device's shader, built once for each thing a fan's stages can do: with a
// texture or without, its colour and its alpha each selected, added or modulated.
// A software rasteriser runs every branch of a shader for every pixel, so each
// pixel runs only its own.
class GlProgramCache {
public:
    GlProgramCache() = default;
    ~GlProgramCache();
    GlProgramCache(const GlProgramCache&) = delete;
    GlProgramCache& operator=(const GlProgramCache&) = delete;

    // Builds the program of the default state and makes it current; false when the context cannot.
    bool build();
    // Makes current the program that paints fans in this state.
    void use(const DeviceState& state);
    // The shift, in clip space, that every vertex takes from the next draw on.
    void setCentreShift(float x, float y);

private:
    // Select, add, or (anything else, as the fixed-function stage does) modulate.
    static constexpr int kOperations = 3;
    static constexpr int kVariants = 2 * kOperations * kOperations;

    struct Program {
        GLuint name = 0;
        GLint centreShift = -1;
        float shift[2] = {0, 0};
        bool tried = false;
    };

    // Builds the program for this state and makes it current; false when the context cannot.
    bool make(const DeviceState& state);

    static int operationIndex(StageOp op);
    static int variant(bool textured, int colorOp, int alphaOp);
    static GLuint link(bool textured, int colorOp, int alphaOp);

    std::array<Program, kVariants> programs_;
    float shift_[2] = {0, 0};
    int current_ = -1;
};
