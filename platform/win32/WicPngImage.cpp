// PngImage on Windows: the Windows Imaging Component decodes, so the program needs
// no image library beside the system's own.
#include "render/PngImage.h"

#include "platform/win32/WideText.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <wincodec.h>

#include <cstdio>

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

std::string failure(const char* step, HRESULT result)
{
    char text[64];
    std::snprintf(text, sizeof text, "%s failed (0x%08lx)", step, static_cast<unsigned long>(result));
    return text;
}

}  // namespace

bool PngImage::load(const std::string& path)
{
    clear();
    Released<IWICImagingFactory> factory;
    Released<IWICBitmapDecoder> decoder;
    Released<IWICBitmapFrameDecode> frame;
    Released<IWICBitmapSource> converted;
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory, reinterpret_cast<void**>(&factory.p));
    if (FAILED(result))
        return refuse(failure("starting the Windows Imaging Component", result));
    result = factory.p->CreateDecoderFromFilename(wideText(path.c_str()).c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder.p);
    if (FAILED(result))
        return refuse(failure("opening it as an image", result));
    if (FAILED(result = decoder.p->GetFrame(0, &frame.p)))
        return refuse(failure("reading its picture", result));
    UINT width = 0;
    UINT height = 0;
    if (FAILED(frame.p->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMaxSide
        || height > kMaxSide)
        return refuse(sizeRefused());
    // Straight (not premultiplied) BGRA bytes are ARGB words.
    if (FAILED(result = WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.p, &converted.p)))
        return refuse(failure("converting its pixels", result));
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    if (FAILED(result = converted.p->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size() * 4),
                                                reinterpret_cast<BYTE*>(pixels.data()))))
        return refuse(failure("decoding its pixels", result));
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    pixels_ = std::move(pixels);
    return true;
}
