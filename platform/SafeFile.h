#pragma once

#include <string>
#include <string_view>

// Writes a whole file so that a crash or a full disk leaves either the old file or
// the new one, never a mixture: the bytes go to a file beside it, reach the disk, and
// the new file is renamed over the old one.
class SafeFile {
public:
    // False with the reason (naming the file) when the old file was left as it was.
    static bool write(const std::string& path, std::string_view bytes, std::string& why);
};
