#include "tests/server/RecordedRounds.h"

#include "platform/WholeFile.h"

#include <gtest/gtest.h>

std::string recorded(const std::string& name)
{
    std::string bytes;
    std::string why;
    EXPECT_EQ(readWholeFile(std::string(TESSARO_REPLAYS) + "/" + name, bytes, why), WholeFile::Read) << why;
    return bytes;
}

Replay decoded(const std::string& bytes)
{
    Replay replay;
    std::string error;
    EXPECT_TRUE(Replay::decode(bytes, replay, error)) << error;
    return replay;
}
