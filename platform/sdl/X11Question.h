#pragma once

#include "platform/Platform.h"

#include <X11/Xlib.h>

#include <optional>
#include <string>

namespace platform {

// A Yes/No question in a dialog of the game's own on X11, centred on its owner,
// drawn and answered on the calling thread. SDL's box draws in a forked copy of the
// process: a fork taken while one of the OpenGL driver's threads holds a lock leaves
// that lock held in the copy for ever, and the question never came. This one forks
// nothing and starts no thread.
class X11Question {
public:
    // On the owner's connection, taking from it only the dialog's own events: the
    // game's stay queued for SDL.
    X11Question(Display* display, ::Window owner);

    X11Question(const X11Question&) = delete;
    X11Question& operator=(const X11Question&) = delete;

    // Yes or No; nothing, said on standard error, when no dialog could be shown.
    std::optional<bool> ask(const char* caption, const char* text);

private:
    struct Button {
        const char* label;
        bool answer;
        int x;
    };
    static constexpr int kButtons = 2;
    enum Colour { kBackground, kInk, kButtonFace, kButtonEdge, kFocusEdge, kColours };

    bool loadFont();
    void layOut(const char* text);
    bool open(const char* caption);
    void name(const char* caption);
    void allocateColours();
    // endSignals: a descriptor that becomes readable when the program is asked to end.
    std::optional<bool> waitForAnswer(int endSignals);
    bool nextEvent(XEvent& event);
    std::optional<bool> answerTo(const XEvent& event);
    std::optional<bool> answerToKey(const XKeyEvent& key);
    int buttonAt(int x, int y) const;
    void draw();
    void drawButton(const Button& button, bool focused);
    int textWidth(const char* text) const;
    void close();

    Display* display_;
    ::Window owner_;
    ::Window dialog_ = 0;
    GC gc_ = nullptr;
    XFontSet font_ = nullptr;
    Atom protocols_ = 0;
    Atom deleteWindow_ = 0;
    unsigned long colours_[kColours] = {};
    unsigned long allocated_[kColours] = {};
    int allocatedCount_ = 0;
    std::string text_;
    Button buttons_[kButtons];
    int focused_ = 0;
    int pressed_ = -1;
    unsigned heldKey_ = 0;
    int width_ = 0;
    int height_ = 0;
    int textAscent_ = 0;
    int textHeight_ = 0;
    int buttonTop_ = 0;
    int buttonWidth_ = 0;
    int buttonHeight_ = 0;
};

}  // namespace platform
