#pragma once

#include <string>

namespace platform {

// Xlib chooses the fonts for a text's characters by LC_CTYPE. The game runs in the
// "C" locale, so while an object of this lives the character type is a UTF-8 one, the
// user's where that is UTF-8. The change is the whole process's: it is made before
// the first frame, where nothing of the game's reads it.
class Utf8CharacterType {
public:
    Utf8CharacterType();
    ~Utf8CharacterType();

    Utf8CharacterType(const Utf8CharacterType&) = delete;
    Utf8CharacterType& operator=(const Utf8CharacterType&) = delete;

private:
    std::string previous_ = "C";
};

}  // namespace platform
