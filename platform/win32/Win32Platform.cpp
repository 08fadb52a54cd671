#include "platform/win32/Win32Platform.h"

#include "base/Field.h"
#include "platform/d3d9/D3d9Device.h"
#include "platform/win32/WideText.h"

#include <mmsystem.h>
#include <objbase.h>

#include <cctype>
#include <cstdio>
#include <string>

namespace platform {

namespace {
HWND hwnd(Window* window) { return reinterpret_cast<HWND>(window); }
Window* gameWindow(HWND window) { return reinterpret_cast<Window*>(window); }

// Windows' own words for an error code.
std::string systemMessage(DWORD code)
{
    char text[256] = "";
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                       sizeof text, nullptr) == 0)
        std::snprintf(text, sizeof text, "error %lu", static_cast<unsigned long>(code));
    std::string message = text;
    message.erase(message.find_last_not_of(" \r\n.") + 1);
    return message;
}
}  // namespace

Win32Platform::Win32Platform() : instance_(GetModuleHandleA(nullptr))
{
    timeBeginPeriod(1);
    // The image decoder is a component object.
    comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

Win32Platform::~Win32Platform()
{
    if (comStarted_)
        CoUninitialize();
    timeEndPeriod(1);
}

LRESULT CALLBACK Win32Platform::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The platform that made the window comes with its first message and is kept on it.
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Platform*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    const bool handled = self != nullptr && self->procedure_ != nullptr;
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        if (handled)
            self->procedure_(gameWindow(window), Message::Destroy);
        return 0;
    case WM_CLOSE:
        if (handled)
            self->procedure_(gameWindow(window), Message::Close);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The outer size is the drawing area in a dialog frame under a caption.
Window* Win32Platform::createWindow(int width, int height, const char* title, WindowProcedure procedure)
{
    const int outerWidth = width + 2 * GetSystemMetrics(SM_CXDLGFRAME);
    const int outerHeight = height + 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2;
    procedure_ = procedure;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Win32Platform::windowProcedure;
    windowClass.hInstance = instance_;
    windowClass.hIcon = LoadIconA(instance_, "ICON");
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "class";
    if (RegisterClassExA(&windowClass) == 0) {
        showError(("cannot register the game's window class: " + systemMessage(GetLastError())).c_str());
        return nullptr;
    }
    window_ = CreateWindowExA(0, "class", title, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, x, y, outerWidth,
                              outerHeight, nullptr, nullptr, instance_, this);
    if (window_ == nullptr) {
        showError(("cannot open the game's window: " + systemMessage(GetLastError())).c_str());
        return nullptr;
    }
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    return gameWindow(window_);
}

void Win32Platform::destroyWindow(Window* window)
{
    if (window != nullptr)
        DestroyWindow(hwnd(window));
}

void Win32Platform::note(const MSG& message)
{
    switch (message.message) {
    case WM_LBUTTONDOWN: keys_.press(Key::LeftButton); break;
    case WM_LBUTTONUP: keys_.release(Key::LeftButton); break;
    case WM_KEYDOWN:
        if (message.wParam == VK_ESCAPE)
            keys_.press(Key::Escape);
        break;
    case WM_KEYUP:
        if (message.wParam == VK_ESCAPE)
            keys_.release(Key::Escape);
        break;
    default: break;
    }
}

bool Win32Platform::takeMessage()
{
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    note(message);
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

std::uint32_t Win32Platform::milliseconds() { return timeGetTime(); }

void Win32Platform::sleep(std::uint32_t ms) { Sleep(ms); }

std::uint32_t Win32Platform::randomSeed() { return timeGetTime(); }

bool Win32Platform::askYesNo(Window* owner, const char* caption, const char* text)
{
    return MessageBoxW(hwnd(owner), wideText(text).c_str(), wideText(caption).c_str(), MB_YESNO) == IDYES;
}

void Win32Platform::hidePointer() { ShowCursor(FALSE); }

Letterbox Win32Platform::letterbox() const
{
    RECT client{0, 0, field::kWidth, field::kHeight};
    if (window_ != nullptr)
        GetClientRect(window_, &client);
    return Letterbox::fit(client.right - client.left, client.bottom - client.top);
}

Point Win32Platform::pointer(Window* window)
{
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(hwnd(window), &p);
    return letterbox().toClient({static_cast<int>(p.x), static_cast<int>(p.y)});
}

void Win32Platform::setPointer(Window* window, Point client)
{
    if (pointer(window) == client)
        return;
    const Point output = letterbox().toOutput(client);
    POINT p{output.x, output.y};
    ClientToScreen(hwnd(window), &p);
    SetCursorPos(p.x, p.y);
}

bool Win32Platform::isDown(Key key)
{
    const int virtualKey = key == Key::LeftButton ? VK_LBUTTON : VK_ESCAPE;
    return (GetKeyState(virtualKey) & 0x80) != 0 || keys_.isDown(key);
}

std::unique_ptr<Device> Win32Platform::createDevice(Window* window)
{
    std::unique_ptr<Device> device = D3d9Device::create(hwnd(window));
    if (!device)
        showError("Direct3D 9 cannot make a device for the game's window: the game needs Direct3D 9 "
                  "and a graphics driver that offers it");
    return device;
}

void Win32Platform::showError(const char* text)
{
    std::fprintf(stderr, "tessaro: %s\n", text);
    // A box reads as sentences.
    std::string sentence = std::string(text) + ".";
    sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
    MessageBoxW(window_, wideText(sentence.c_str()).c_str(), L"Tessaro", MB_OK | MB_ICONERROR);
}

void Win32Platform::enterFullScreen(Window* window)
{
    // The desktop keeps its mode; the device scales the picture into the window.
    SetWindowLongA(hwnd(window), GWL_STYLE, WS_POPUP | WS_VISIBLE);
    SetWindowPos(hwnd(window), nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_FRAMECHANGED | SWP_NOZORDER);
}

}  // namespace platform
