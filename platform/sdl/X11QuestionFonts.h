#pragma once

#include "platform/sdl/Utf8CharacterType.h"

#include <X11/Xlib.h>

#include <thread>
#include <vector>

namespace platform {

// The question's fonts, opened in the X server before the question is asked, on a
// connection and a thread of their own. The server takes tens of milliseconds to read
// the bitmap fonts of a UTF-8 font set (the kanji above all); opened here, that reading
// overlaps the making of the game's window and device, and the question's own
// opening of the same fonts finds them already loaded. Held until this is destroyed.
class X11QuestionFonts {
public:
    // The base names the question's font set is made from.
    static constexpr const char* kNames
        = "-*-*-medium-r-normal--*-120-*-*-*-*-*-*,-*-*-*-*-*--*-120-*-*-*-*-*-*,fixed";

    // Starts opening them on the display SDL uses ($DISPLAY).
    X11QuestionFonts();
    ~X11QuestionFonts();

    X11QuestionFonts(const X11QuestionFonts&) = delete;
    X11QuestionFonts& operator=(const X11QuestionFonts&) = delete;

    // Returns once the server has opened them, or found it cannot.
    void await();

private:
    void open();

    // The font set's fonts are those of a UTF-8 character type, here and in the question.
    Utf8CharacterType characterType_;
    Display* display_ = nullptr;
    std::vector<XFontStruct*> fonts_;
    std::thread thread_;
};

}  // namespace platform
