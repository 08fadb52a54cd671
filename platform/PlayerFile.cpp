#include "platform/PlayerFile.h"

#include "platform/WholeFile.h"

namespace platform {

PlayerFile::Read PlayerFile::read(const std::string& path, std::string& bytes, std::string& why)
{
    switch (readWholeFile(path, bytes, why)) {
    case WholeFile::Read: return Read::Whole;
    case WholeFile::Missing: return Read::Missing;
    case WholeFile::Folder:
    case WholeFile::Unreadable:
    case WholeFile::TooLarge: break;
    }
    return Read::Failed;
}

}  // namespace platform
