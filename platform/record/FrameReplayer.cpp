#include "platform/record/FrameReplayer.h"

namespace {

void applyState(Device& device, const DeviceState& s)
{
    device.setRenderState(RenderState::SrcBlend, static_cast<std::uint32_t>(s.srcBlend));
    device.setRenderState(RenderState::DestBlend, static_cast<std::uint32_t>(s.destBlend));
    device.setRenderState(RenderState::AlphaBlendEnable, s.alphaBlend);
    device.setRenderState(RenderState::ZWriteEnable, s.zWrite);
    device.setStageState(StageState::ColorOp, static_cast<std::uint32_t>(s.colorOp));
    device.setStageState(StageState::ColorArg1, static_cast<std::uint32_t>(s.colorArg1));
    device.setStageState(StageState::ColorArg2, static_cast<std::uint32_t>(s.colorArg2));
    device.setStageState(StageState::AlphaOp, static_cast<std::uint32_t>(s.alphaOp));
    device.setStageState(StageState::AlphaArg1, static_cast<std::uint32_t>(s.alphaArg1));
    device.setStageState(StageState::AlphaArg2, static_cast<std::uint32_t>(s.alphaArg2));
    device.setSamplerState(SamplerState::AddressU, static_cast<std::uint32_t>(s.addressU));
    device.setSamplerState(SamplerState::AddressV, static_cast<std::uint32_t>(s.addressV));
    device.setSamplerState(SamplerState::MinFilter, static_cast<std::uint32_t>(s.minFilter));
    device.setSamplerState(SamplerState::MagFilter, static_cast<std::uint32_t>(s.magFilter));
}

}  // namespace

const Texture* FrameReplayer::targetTexture(std::uint64_t recordedId)
{
    auto known = uploaded_.find(recordedId);
    if (known != uploaded_.end())
        return known->second.get();
    std::shared_ptr<const RecordingDevice::RecordedTexture> source = source_.texture(recordedId);
    if (!source)
        return nullptr;
    std::shared_ptr<Texture>& slot = uploaded_[recordedId];
    slot = target_.createTexture(source->width(), source->height(), source->pixels().data());
    return slot.get();
}

void FrameReplayer::replay(const std::vector<RecordingDevice::Command>& frame)
{
    target_.beginScene();
    for (const RecordingDevice::Command& c : frame) {
        applyState(target_, c.state);
        if (c.isClear) {
            target_.clear(c.clearColor);
            continue;
        }
        target_.setTexture(targetTexture(c.textureId));
        target_.drawFan(c.vertices);
    }
    target_.endScene();
}
