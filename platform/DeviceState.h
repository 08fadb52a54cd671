#pragma once

#include <cstdint>

class Texture;

// Values follow the graphics API the game was designed on, so that state set by
// the drawing code reads the same on every back end.
enum class Blend : std::uint32_t {
    Zero = 1, One = 2, SrcColor = 3, InvSrcColor = 4, SrcAlpha = 5, InvSrcAlpha = 6,
    DestAlpha = 7, InvDestAlpha = 8, DestColor = 9, InvDestColor = 10,
};
enum class StageOp : std::uint32_t { Disable = 1, SelectArg1 = 2, Modulate = 4, Add = 7 };
enum class StageArg : std::uint32_t { Diffuse = 0, Texture = 2 };
enum class Filter : std::uint32_t { Point = 1, Linear = 2 };
enum class Address : std::uint32_t { Wrap = 1, Clamp = 3 };

enum class RenderState { SrcBlend, DestBlend, AlphaBlendEnable, ZWriteEnable };
enum class StageState { ColorOp, ColorArg1, ColorArg2, AlphaOp, AlphaArg1, AlphaArg2 };
enum class SamplerState { AddressU, AddressV, MinFilter, MagFilter };

// Everything that decides how a fan is painted.
struct DeviceState {
    Blend srcBlend = Blend::One;
    Blend destBlend = Blend::Zero;
    bool alphaBlend = false;
    bool zWrite = true;
    StageOp colorOp = StageOp::Modulate;
    StageArg colorArg1 = StageArg::Texture;
    StageArg colorArg2 = StageArg::Diffuse;
    StageOp alphaOp = StageOp::SelectArg1;
    StageArg alphaArg1 = StageArg::Texture;
    StageArg alphaArg2 = StageArg::Diffuse;
    Address addressU = Address::Wrap;
    Address addressV = Address::Wrap;
    Filter minFilter = Filter::Point;
    Filter magFilter = Filter::Point;
    const Texture* texture = nullptr;

    bool operator==(const DeviceState&) const = default;
};
