#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

// UTF-8 text as the UTF-16 that the wide Windows calls take.
inline std::wstring wideText(const char* utf8)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), length);
    return text;
}
