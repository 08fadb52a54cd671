// PngImage on Windows: the Windows Imaging Component decodes, so the program needs
// no image library beside the system's own.
#include "render/PngImage.h"

#include "platform/win32/WideText.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <wincodec.h>

namespace {

template <class T>
struct Released {
    T* p = nullptr;
    ~Released()
    {
        if (p != nullptr)
            p->Release();
    }
};

}  // namespace

bool PngImage::load(const std::string& path)
{
    width_ = height_ = 0;
    pixels_.clear();
    Released<IWICImagingFactory> factory;
    Released<IWICBitmapDecoder> decoder;
    Released<IWICBitmapFrameDecode> frame;
    Released<IWICBitmapSource> converted;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory.p)))
        || FAILED(factory.p->CreateDecoderFromFilename(wideText(path.c_str()).c_str(), nullptr, GENERIC_READ,
                                                       WICDecodeMetadataCacheOnDemand, &decoder.p))
        || FAILED(decoder.p->GetFrame(0, &frame.p)))
        return false;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(frame.p->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMaxSide
        || height > kMaxSide)
        return false;
    // Straight (not premultiplied) BGRA bytes are ARGB words.
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.p, &converted.p)))
        return false;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    if (FAILED(converted.p->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size() * 4),
                                       reinterpret_cast<BYTE*>(pixels.data()))))
        return false;
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    pixels_ = std::move(pixels);
    return true;
}
