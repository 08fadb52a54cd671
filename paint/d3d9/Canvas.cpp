#include "paint/Canvas.h"

#include "platform/Field.h"
#include "platform/d3d9/D3d9Device.h"

namespace {

const char* const kWindowClass = "TessaroCanvas";

}  // namespace

// The window is never shown: the device draws into its back buffer, which is read
// before anything is presented.
struct Canvas::Parts {
    HWND window = nullptr;
    std::unique_ptr<D3d9Device> device;

    ~Parts()
    {
        device.reset();
        if (window != nullptr)
            DestroyWindow(window);
    }
};

Canvas::Canvas() : parts_(std::make_unique<Parts>())
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    parts_->window = CreateWindowExA(0, kWindowClass, "Tessaro", WS_POPUP, 0, 0, field::kWidth, field::kHeight,
                                     nullptr, nullptr, windowClass.hInstance, nullptr);
    parts_->device = D3d9Device::create(parts_->window);
    if (!parts_->device)
        error_ = parts_->window == nullptr ? "no window for the device" : "no Direct3D 9 device";
}

Canvas::~Canvas() = default;

Device* Canvas::device() const { return parts_->device.get(); }

std::vector<std::uint32_t> Canvas::picture() { return parts_->device->readPicture(); }
