// Before Xlib's header, whose macros (None, Bool) name things of GoogleTest's.
#include <gtest/gtest.h>

#include "platform/sdl/Utf8CharacterType.h"
#include "platform/sdl/X11QuestionFonts.h"

#include <langinfo.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace {

std::string characterType() { return std::setlocale(LC_CTYPE, nullptr); }

// The environment's display, set for one test and put back after it.
class DisplayVariable {
public:
    explicit DisplayVariable(const char* value)
    {
        if (const char* now = std::getenv("DISPLAY"))
            previous_ = now;
        ::setenv("DISPLAY", value, 1);
    }
    ~DisplayVariable() { previous_.empty() ? ::unsetenv("DISPLAY") : ::setenv("DISPLAY", previous_.c_str(), 1); }

private:
    std::string previous_;
};

}  // namespace

// The question's text is read as UTF-8 while it lives, and the game is back in its
// own character type after, also when two overlap (the fonts made ready, then the question).
TEST(Utf8CharacterTypeTest, IsUtf8WhileAliveAndPutsBackWhatWasThere)
{
    ASSERT_EQ(characterType(), "C");
    {
        const platform::Utf8CharacterType outer;
        EXPECT_STREQ(nl_langinfo(CODESET), "UTF-8");
        {
            const platform::Utf8CharacterType inner;
            EXPECT_STREQ(nl_langinfo(CODESET), "UTF-8");
        }
        EXPECT_STREQ(nl_langinfo(CODESET), "UTF-8");
    }
    EXPECT_EQ(characterType(), "C");
}

// With no X server to reach, making the fonts ready ends at once and leaves the
// question to say what it cannot show.
TEST(X11QuestionFontsTest, WithoutAServerItEndsAndPutsTheCharacterTypeBack)
{
    const DisplayVariable nowhere(":9999");
    {
        platform::X11QuestionFonts fonts;
        fonts.await();
        fonts.await();
    }
    EXPECT_EQ(characterType(), "C");
}
