#include "paint/Canvas.h"

#include "base/Field.h"
#include "platform/d3d9/D3d9Device.h"

namespace {

const char* const kWindowClass = "TessaroCanvas";

}  // namespace

// The window is never shown: the device draws into its back buffer, which is read
// before anything is presented.
struct Canvas::Backend {
    HWND window = nullptr;
    std::unique_ptr<D3d9Device> device;

    ~Backend()
    {
        device.reset();
        if (window != nullptr)
            DestroyWindow(window);
    }
};

Canvas::Canvas() : backend_(std::make_unique<Backend>())
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    backend_->window = CreateWindowExA(0, kWindowClass, "Tessaro", WS_POPUP, 0, 0, field::kWidth, field::kHeight,
                                     nullptr, nullptr, windowClass.hInstance, nullptr);
    backend_->device = D3d9Device::create(backend_->window);
    if (!backend_->device)
        error_ = backend_->window == nullptr ? "no window for the device" : "no Direct3D 9 device";
}

Canvas::~Canvas() = default;

Device* Canvas::device() const { return backend_->device.get(); }

std::vector<std::uint32_t> Canvas::picture() { return backend_->device->readPicture(); }
