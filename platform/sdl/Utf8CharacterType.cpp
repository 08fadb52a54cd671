#include "platform/sdl/Utf8CharacterType.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>

namespace platform {

Utf8CharacterType::Utf8CharacterType()
{
    if (const char* now = std::setlocale(LC_CTYPE, nullptr))
        previous_ = now;
    if (std::setlocale(LC_CTYPE, "") == nullptr || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
}

Utf8CharacterType::~Utf8CharacterType() { std::setlocale(LC_CTYPE, previous_.c_str()); }

}  // namespace platform
