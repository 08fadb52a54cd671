#pragma once

#include <cerrno>
#include <cstring>
#include <string>

namespace platform {

// "WHAT PATH: REASON" for the call just made; errno is read before anything can change it.
inline std::string systemError(const char* what, const std::string& path)
{
    const int error = errno;
    return std::string(what) + " " + path + ": " + std::strerror(error);
}

}  // namespace platform
