#pragma once

// A current OpenGL context and the surface it draws on, as the device needs them:
// the size of the output in pixels and a way to show a finished frame.
class GlContext {
public:
    virtual ~GlContext() = default;
    virtual void outputSize(int& width, int& height) const = 0;
    virtual void swap() = 0;
};
