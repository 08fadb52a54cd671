#pragma once

#include "platform/Device.h"
#include "base/Field.h"
#include "platform/Letterbox.h"
#include "platform/QuadBatch.h"
#include "platform/ReleaseLedger.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <d3d9.h>

#include <memory>
#include <vector>

// The device on Direct3D 9: a windowed back buffer of the client area's size,
// presented at once, the 640 x 480 picture scaled into it with bars beside, and
// consecutive fans of equal texture and state drawn in one call.
class D3d9Device : public Device {
public:
    // Null when Direct3D 9 or every kind of device is missing.
    static std::unique_ptr<D3d9Device> create(HWND window);
    // Releases every texture it made that is still held; those textures are then
    // inert, and the device's own release is its last.
    ~D3d9Device() override;

    using Textures = ReleaseLedger<IDirect3DTexture9*>;

    std::shared_ptr<Texture> createTexture(int width, int height, const std::uint32_t* argb) override;
    void beginScene() override;
    void endScene() override;
    bool present() override;
    void reset() override;
    void clear(std::uint32_t argb) override;
    void drawFan(const SpriteVertex (&vertices)[4]) override;

    // The picture drawn so far, ARGB, top row first, at the size it is scaled to in
    // the back buffer, without the bars; empty when the back buffer cannot be read.
    std::vector<std::uint32_t> readPicture();

private:
    D3d9Device(HWND window, IDirect3D9* direct3d, IDirect3DDevice9* device, const D3DPRESENT_PARAMETERS& params);
    void flush();
    void apply(const DeviceState& s);
    // Fits the picture to the client area; the back buffer follows at the next reset.
    void fit();

    HWND window_;
    IDirect3D9* direct3d_;
    IDirect3DDevice9* device_;
    D3DPRESENT_PARAMETERS params_;
    std::shared_ptr<Textures> textures_;
    QuadBatch batch_;
    DeviceState applied_;
    bool appliedValid_ = false;
    platform::Letterbox box_{0, 0, field::kWidth, field::kHeight};
};
