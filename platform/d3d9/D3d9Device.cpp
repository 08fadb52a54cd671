#include "platform/d3d9/D3d9Device.h"

#include "base/Field.h"

#include <cstring>

namespace {

constexpr DWORD kVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;  // 0x144

void releaseTexture(IDirect3DTexture9* texture) { texture->Release(); }

class D3dTexture : public Texture {
public:
    D3dTexture(int width, int height, IDirect3DTexture9* texture, std::shared_ptr<D3d9Device::Textures> textures)
        : Texture(width, height), texture_(texture), textures_(std::move(textures))
    {
    }
    ~D3dTexture() override { textures_->release(texture_); }
    IDirect3DTexture9* texture() const { return texture_; }

private:
    IDirect3DTexture9* texture_;
    std::shared_ptr<D3d9Device::Textures> textures_;
};

}  // namespace

std::unique_ptr<D3d9Device> D3d9Device::create(HWND window)
{
    if (window == nullptr)
        return nullptr;
    IDirect3D9* direct3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (direct3d == nullptr)
        return nullptr;
    D3DDISPLAYMODE mode{};
    if (FAILED(direct3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode))) {
        direct3d->Release();
        return nullptr;
    }
    D3DPRESENT_PARAMETERS params{};
    params.BackBufferFormat = mode.Format;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    params.EnableAutoDepthStencil = TRUE;
    params.AutoDepthStencilFormat = D3DFMT_D24S8;
    params.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    const struct {
        D3DDEVTYPE type;
        DWORD flags;
    } kinds[] = {{D3DDEVTYPE_HAL, D3DCREATE_HARDWARE_VERTEXPROCESSING},
                 {D3DDEVTYPE_HAL, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
                 {D3DDEVTYPE_REF, D3DCREATE_SOFTWARE_VERTEXPROCESSING}};
    // Without this flag the device would switch the processor's floating point to
    // single precision, and a step would no longer compute what it does elsewhere.
    constexpr DWORD kKeepFloatingPoint = D3DCREATE_FPU_PRESERVE;
    for (const auto& kind : kinds) {
        IDirect3DDevice9* device = nullptr;
        D3DPRESENT_PARAMETERS tried = params;
        if (SUCCEEDED(direct3d->CreateDevice(D3DADAPTER_DEFAULT, kind.type, window, kind.flags | kKeepFloatingPoint,
                                             &tried, &device)))
            return std::unique_ptr<D3d9Device>(new D3d9Device(window, direct3d, device, params));
    }
    direct3d->Release();
    return nullptr;
}

D3d9Device::D3d9Device(HWND window, IDirect3D9* direct3d, IDirect3DDevice9* device,
                       const D3DPRESENT_PARAMETERS& params)
    : window_(window), direct3d_(direct3d), device_(device), params_(params),
      textures_(std::make_shared<Textures>(&releaseTexture))
{
    device_->SetFVF(kVertexFormat);
    fit();
}

void D3d9Device::fit()
{
    RECT client{0, 0, field::kWidth, field::kHeight};
    GetClientRect(window_, &client);
    box_ = platform::Letterbox::fit(client.right, client.bottom);
    params_.BackBufferWidth = static_cast<UINT>(client.right);
    params_.BackBufferHeight = static_cast<UINT>(client.bottom);
}

D3d9Device::~D3d9Device()
{
    // Only the last reference ends the device and its worker thread; a texture still
    // bound or held holds one. Under Wine a device left alive has its worker thread
    // killed at process exit, now and then inside a driver call, and the process then
    // dies of a segmentation fault instead of ending with its exit value.
    device_->SetTexture(0, nullptr);
    textures_->close();
    device_->Release();
    direct3d_->Release();
}

std::shared_ptr<Texture> D3d9Device::createTexture(int width, int height, const std::uint32_t* argb)
{
    IDirect3DTexture9* texture = nullptr;
    if (FAILED(device_->CreateTexture(static_cast<UINT>(width), static_cast<UINT>(height), 1, 0, D3DFMT_A8R8G8B8,
                                      D3DPOOL_MANAGED, &texture, nullptr)))
        return nullptr;
    D3DLOCKED_RECT locked{};
    if (SUCCEEDED(texture->LockRect(0, &locked, nullptr, 0))) {
        for (int y = 0; y < height; ++y)
            std::memcpy(static_cast<char*>(locked.pBits) + static_cast<std::size_t>(y) * locked.Pitch,
                        argb + static_cast<std::size_t>(y) * width, static_cast<std::size_t>(width) * 4);
        texture->UnlockRect(0);
    }
    textures_->add(texture);
    return std::make_shared<D3dTexture>(width, height, texture, textures_);
}

void D3d9Device::beginScene()
{
    device_->BeginScene();
    // The bars beside a scaled picture stay black; nothing else reaches them.
    device_->SetRenderState(D3DRS_SCISSORTESTENABLE, FALSE);
    if (box_.x != 0 || box_.y != 0)
        device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    const RECT picture{box_.x, box_.y, box_.x + box_.width, box_.y + box_.height};
    device_->SetScissorRect(&picture);
    device_->SetRenderState(D3DRS_SCISSORTESTENABLE, TRUE);
}

void D3d9Device::endScene()
{
    flush();
    device_->EndScene();
}

bool D3d9Device::present()
{
    flush();
    return SUCCEEDED(device_->Present(nullptr, nullptr, nullptr, nullptr));
}

void D3d9Device::reset()
{
    // Managed textures survive; every state is set again after a reset, and the
    // back buffer takes the client area's size again.
    fit();
    D3DPRESENT_PARAMETERS params = params_;
    device_->Reset(&params);
    device_->SetFVF(kVertexFormat);
    appliedValid_ = false;
}

void D3d9Device::clear(std::uint32_t argb)
{
    flush();
    const D3DRECT picture{box_.x, box_.y, box_.x + box_.width, box_.y + box_.height};
    device_->Clear(1, &picture, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, argb, 1.0f, 0);
}

void D3d9Device::drawFan(const SpriteVertex (&vertices)[4])
{
    if (batch_.breaksOn(state_))
        flush();
    const float scale = box_.width / static_cast<float>(field::kWidth);
    SpriteVertex placed[4] = {vertices[0], vertices[1], vertices[2], vertices[3]};
    for (SpriteVertex& v : placed) {
        v.x = v.x * scale + static_cast<float>(box_.x);
        v.y = v.y * scale + static_cast<float>(box_.y);
    }
    batch_.add(state_, placed);
}

void D3d9Device::apply(const DeviceState& s)
{
    const bool all = !appliedValid_;
    const DeviceState& a = applied_;
    const auto render = [&](D3DRENDERSTATETYPE type, DWORD value, DWORD before) {
        if (all || value != before)
            device_->SetRenderState(type, value);
    };
    const auto stage = [&](D3DTEXTURESTAGESTATETYPE type, DWORD value, DWORD before) {
        if (all || value != before)
            device_->SetTextureStageState(0, type, value);
    };
    const auto sampler = [&](D3DSAMPLERSTATETYPE type, DWORD value, DWORD before) {
        if (all || value != before)
            device_->SetSamplerState(0, type, value);
    };
    const auto v = [](auto e) { return static_cast<DWORD>(e); };
    render(D3DRS_SRCBLEND, v(s.srcBlend), v(a.srcBlend));
    render(D3DRS_DESTBLEND, v(s.destBlend), v(a.destBlend));
    render(D3DRS_ALPHABLENDENABLE, s.alphaBlend, a.alphaBlend);
    render(D3DRS_ZWRITEENABLE, s.zWrite, a.zWrite);
    stage(D3DTSS_COLOROP, v(s.colorOp), v(a.colorOp));
    stage(D3DTSS_COLORARG1, v(s.colorArg1), v(a.colorArg1));
    stage(D3DTSS_COLORARG2, v(s.colorArg2), v(a.colorArg2));
    stage(D3DTSS_ALPHAOP, v(s.alphaOp), v(a.alphaOp));
    stage(D3DTSS_ALPHAARG1, v(s.alphaArg1), v(a.alphaArg1));
    stage(D3DTSS_ALPHAARG2, v(s.alphaArg2), v(a.alphaArg2));
    sampler(D3DSAMP_ADDRESSU, v(s.addressU), v(a.addressU));
    sampler(D3DSAMP_ADDRESSV, v(s.addressV), v(a.addressV));
    sampler(D3DSAMP_MINFILTER, v(s.minFilter), v(a.minFilter));
    sampler(D3DSAMP_MAGFILTER, v(s.magFilter), v(a.magFilter));
    if (all || s.texture != a.texture) {
        const auto* texture = static_cast<const D3dTexture*>(s.texture);
        device_->SetTexture(0, texture != nullptr ? texture->texture() : nullptr);
    }
    applied_ = s;
    appliedValid_ = true;
}

void D3d9Device::flush()
{
    if (batch_.empty())
        return;
    apply(batch_.state());
    const auto quads = static_cast<UINT>(batch_.quads());
    device_->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, quads * 4, quads * 2, QuadBatch::indices().data(),
                                    D3DFMT_INDEX16, batch_.vertices().data(), sizeof(SpriteVertex));
    batch_.clear();
}

std::vector<std::uint32_t> D3d9Device::readPicture()
{
    flush();
    std::vector<std::uint32_t> picture;
    IDirect3DSurface9* target = nullptr;
    if (FAILED(device_->GetRenderTarget(0, &target)))
        return picture;
    D3DSURFACE_DESC desc{};
    IDirect3DSurface9* copy = nullptr;
    D3DLOCKED_RECT locked{};
    const bool readable =
        SUCCEEDED(target->GetDesc(&desc)) && (desc.Format == D3DFMT_X8R8G8B8 || desc.Format == D3DFMT_A8R8G8B8) &&
        desc.Width >= static_cast<UINT>(box_.x + box_.width) && desc.Height >= static_cast<UINT>(box_.y + box_.height) &&
        SUCCEEDED(device_->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format, D3DPOOL_SYSTEMMEM, &copy,
                                                       nullptr)) &&
        SUCCEEDED(device_->GetRenderTargetData(target, copy)) &&
        SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY));
    if (readable) {
        picture.resize(static_cast<std::size_t>(box_.width) * box_.height);
        for (int y = 0; y < box_.height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(locked.pBits) +
                                                                     static_cast<std::size_t>(box_.y + y) * locked.Pitch);
            for (int x = 0; x < box_.width; ++x)
                picture[static_cast<std::size_t>(y) * box_.width + x] = row[box_.x + x] | 0xFF000000u;
        }
        copy->UnlockRect();
    }
    if (copy != nullptr)
        copy->Release();
    target->Release();
    return picture;
}
