#include "render/DeviceSystem.h"

namespace {
constexpr int kFontSheetSize = 512;

std::uint32_t value(Blend b) { return static_cast<std::uint32_t>(b); }
}  // namespace

int DeviceSystem::initialize(platform::Platform& platform, platform::Window* window)
{
    platform_ = &platform;
    window_ = window;
    // The sheet's texture belongs to the device being replaced.
    fontSheet_ = Sprite();
    fontSheetLoaded_ = false;
    device_ = platform.createDevice(window);
    if (!device_)
        return 1;
    setFilter(Filter::Linear);
    return 0;
}

void DeviceSystem::setFilter(Filter filter)
{
    if (!device_)
        return;
    device_->setSamplerState(SamplerState::MinFilter, static_cast<std::uint32_t>(filter));
    device_->setSamplerState(SamplerState::MagFilter, static_cast<std::uint32_t>(filter));
}

void DeviceSystem::setWrapAddressing()
{
    if (!device_)
        return;
    device_->setSamplerState(SamplerState::AddressU, static_cast<std::uint32_t>(Address::Wrap));
    device_->setSamplerState(SamplerState::AddressV, static_cast<std::uint32_t>(Address::Wrap));
}

Sprite& DeviceSystem::fontSheet()
{
    if (!fontSheetLoaded_ && device_) {
        fontSheet_.load(device_.get(), "data/font.png");
        fontSheet_.setTextureSize(kFontSheetSize, kFontSheetSize);
        fontSheetLoaded_ = true;
    }
    return fontSheet_;
}

int DeviceSystem::enterFullScreen()
{
    platform_->enterFullScreen(window_);
    device_->reset();
    return 0;
}

void DeviceSystem::setStages(StageOp op)
{
    if (!device_)
        return;
    const auto o = static_cast<std::uint32_t>(op);
    const auto texture = static_cast<std::uint32_t>(StageArg::Texture);
    const auto diffuse = static_cast<std::uint32_t>(StageArg::Diffuse);
    device_->setStageState(StageState::ColorOp, o);
    device_->setStageState(StageState::ColorArg1, texture);
    device_->setStageState(StageState::ColorArg2, diffuse);
    device_->setStageState(StageState::AlphaOp, o);
    device_->setStageState(StageState::AlphaArg1, texture);
    device_->setStageState(StageState::AlphaArg2, diffuse);
}

void DeviceSystem::setDefaultTextureStages() { setStages(StageOp::Modulate); }

void DeviceSystem::setBlendMode(BlendSetup setup)
{
    if (!device_)
        return;
    struct Factors {
        Blend source;
        Blend destination;
    };
    // Opaque and the added texel leave the factors as the setup before set them.
    static const Factors kFactors[] = {
        {Blend::SrcAlpha, Blend::InvSrcAlpha},     // Alpha
        {Blend::One, Blend::One},                  // Additive
        {Blend::Zero, Blend::SrcColor},            // Multiply
        {Blend::One, Blend::InvSrcAlpha},          // Premultiplied
        {Blend::InvDestColor, Blend::InvSrcAlpha}, // Inverting
    };
    if (setup == BlendSetup::AddedTexel)
        setStages(StageOp::Add);
    if (setup != BlendSetup::Opaque && setup != BlendSetup::AddedTexel) {
        const Factors& factors = kFactors[static_cast<int>(setup) - static_cast<int>(BlendSetup::Alpha)];
        device_->setRenderState(RenderState::SrcBlend, value(factors.source));
        device_->setRenderState(RenderState::DestBlend, value(factors.destination));
    }
    device_->setRenderState(RenderState::AlphaBlendEnable, setup != BlendSetup::Opaque);
}
