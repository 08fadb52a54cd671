#pragma once

// The trigonometry a step of play computes, written out in plain double arithmetic so
// that every build (x86-64, 32-bit Windows, WebAssembly) gets the same bits for the
// same arguments: each platform's own maths library rounds its own way, and a bouncing
// bomb or a wandering enemy soon turns one last bit into a different round.
// Results are within one unit in the last place of the exact value.
namespace pmath {

double sin(double x);
double cos(double x);
// Both of one angle, the reduction shared: the same bits as sin and cos each alone.
struct SinCos {
    double sin;
    double cos;
};
SinCos sinCos(double x);
double atan(double x);
double atan2(double y, double x);

// Single-precision arguments and results, as the float overloads of the C library.
float sin(float x);
float cos(float x);

}  // namespace pmath
