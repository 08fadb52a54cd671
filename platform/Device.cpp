#include "platform/Device.h"

void Device::setRenderState(RenderState state, std::uint32_t value)
{
    switch (state) {
    case RenderState::SrcBlend: state_.srcBlend = static_cast<Blend>(value); break;
    case RenderState::DestBlend: state_.destBlend = static_cast<Blend>(value); break;
    case RenderState::AlphaBlendEnable: state_.alphaBlend = value != 0; break;
    case RenderState::ZWriteEnable: state_.zWrite = value != 0; break;
    }
}

void Device::setStageState(StageState state, std::uint32_t value)
{
    switch (state) {
    case StageState::ColorOp: state_.colorOp = static_cast<StageOp>(value); break;
    case StageState::ColorArg1: state_.colorArg1 = static_cast<StageArg>(value); break;
    case StageState::ColorArg2: state_.colorArg2 = static_cast<StageArg>(value); break;
    case StageState::AlphaOp: state_.alphaOp = static_cast<StageOp>(value); break;
    case StageState::AlphaArg1: state_.alphaArg1 = static_cast<StageArg>(value); break;
    case StageState::AlphaArg2: state_.alphaArg2 = static_cast<StageArg>(value); break;
    }
}

void Device::setSamplerState(SamplerState state, std::uint32_t value)
{
    switch (state) {
    case SamplerState::AddressU: state_.addressU = static_cast<Address>(value); break;
    case SamplerState::AddressV: state_.addressV = static_cast<Address>(value); break;
    case SamplerState::MinFilter: state_.minFilter = static_cast<Filter>(value); break;
    case SamplerState::MagFilter: state_.magFilter = static_cast<Filter>(value); break;
    }
}
