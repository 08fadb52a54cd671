#include "base/WholeFile.h"

#include <fstream>

WholeFile readWholeFile(const std::string& path, long long most, std::string& bytes)
{
    bytes.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return WholeFile::Unreadable;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0)
        return WholeFile::Unreadable;
    if (size > most)
        return WholeFile::TooLarge;
    file.seekg(0);
    bytes.resize(static_cast<std::size_t>(size));
    if (!file.read(bytes.data(), size)) {
        bytes.clear();
        return WholeFile::Unreadable;
    }
    return WholeFile::Read;
}
