// The Windows Imaging Component decodes, so the program needs no image library
// beside the system's own.
#include "platform/PngDecoder.h"

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

// Keeps why; always false.
bool refuse(std::string& why, std::string text)
{
    why = std::move(text);
    return false;
}

}  // namespace

namespace platform {


bool decodePng(const std::string& path, int maxSide, DecodedPng& png, std::string& why)
{
    Released<IWICImagingFactory> factory;
    Released<IWICBitmapDecoder> decoder;
    Released<IWICBitmapFrameDecode> frame;
    Released<IWICBitmapSource> converted;
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory, reinterpret_cast<void**>(&factory.p));
    if (FAILED(result))
        return refuse(why, failure("starting the Windows Imaging Component", result));
    result = factory.p->CreateDecoderFromFilename(wideText(path.c_str()).c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder.p);
    if (FAILED(result))
        return refuse(why, failure("opening it as an image", result));
    if (FAILED(result = decoder.p->GetFrame(0, &frame.p)))
        return refuse(why, failure("reading its picture", result));
    const auto most = static_cast<UINT>(maxSide);
    UINT width = 0;
    UINT height = 0;
    if (FAILED(frame.p->GetSize(&width, &height)) || width == 0 || height == 0 || width > most
        || height > most)
        return refuse(why, sideRefused(maxSide));
    // Straight (not premultiplied) BGRA bytes are ARGB words.
    if (FAILED(result = WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.p, &converted.p)))
        return refuse(why, failure("converting its pixels", result));
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    if (FAILED(result = converted.p->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size() * 4),
                                                reinterpret_cast<BYTE*>(pixels.data()))))
        return refuse(why, failure("decoding its pixels", result));
    png.width = static_cast<int>(width);
    png.height = static_cast<int>(height);
    png.argb = std::move(pixels);
    return true;
}

}  // namespace platform
