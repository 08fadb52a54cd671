#include "platform/sdl/X11QuestionFonts.h"

namespace platform {

X11QuestionFonts::X11QuestionFonts() : thread_([this] { open(); }) {}

X11QuestionFonts::~X11QuestionFonts()
{
    await();
    if (display_ == nullptr)
        return;
    for (XFontStruct* font : fonts_)
        XFreeFont(display_, font);
    XCloseDisplay(display_);
}

void X11QuestionFonts::await()
{
    if (thread_.joinable())
        thread_.join();
}

// The font set names the fonts its character sets take; opening each by that name
// keeps it loaded in the server. A font that cannot be opened is left to the question,
// which says what it lacks.
void X11QuestionFonts::open()
{
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr)
        return;
    char** missing = nullptr;
    int missingCount = 0;
    char* fallback = nullptr;
    XFontSet set = XCreateFontSet(display_, kNames, &missing, &missingCount, &fallback);
    if (missing != nullptr)
        XFreeStringList(missing);
    if (set == nullptr)
        return;
    XFontStruct** structs = nullptr;
    char** names = nullptr;
    const int count = XFontsOfFontSet(set, &structs, &names);
    for (int i = 0; i < count; ++i)
        if (XFontStruct* font = XLoadQueryFont(display_, names[i]))
            fonts_.push_back(font);
    XFreeFontSet(display_, set);
}

}  // namespace platform
