#include "engine/core/SKeyboardPressStrategy.h"
#include "engine/core/TarnCoreException.h"

#include <gtest/gtest.h>

#include <string>

using SCore::CreateKeyboardPressStrategy;

namespace {

BYTE Down(bool down)
{
    return down ? 0x80 : 0;
}

// Feeds one key's state through the strategy and asks after each step.
std::string Answers(int kind, const std::string& downs)
{
    boost::shared_ptr<SCore::SKeyboardPressStrategy> s = CreateKeyboardPressStrategy(kind);
    std::string out;
    for (char c : downs) {
        BYTE state[256] = {};
        state[0x1E] = Down(c == '1');
        s->SetState(state);
        out += s->IsPressed(0x1E) == 0x80 ? '1' : s->IsPressed(0x1E) == 0 ? '0' : '?';
    }
    return out;
}

TEST(KeyboardPressTest, HeldKeysAnswerAlwaysOrOncePerPress)
{
    EXPECT_EQ(Answers(0, "0111011"), "0111011");
    // Once: 0x80 at the first question after the key went down, until it is seen up.
    boost::shared_ptr<SCore::SKeyboardPressStrategy> once = CreateKeyboardPressStrategy(1);
    BYTE state[256] = {};
    state[0x39] = 0x80;
    once->SetState(state);
    EXPECT_EQ(once->IsPressed(0x39), 0x80);
    EXPECT_EQ(once->IsPressed(0x39), 0);
    EXPECT_EQ(once->IsPressed(0x39), 0);
    state[0x39] = 0;
    once->SetState(state);
    EXPECT_EQ(once->IsPressed(0x39), 0) << "seen up: the latch is released";
    state[0x39] = 0x80;
    once->SetState(state);
    EXPECT_EQ(once->IsPressed(0x39), 0x80);
    EXPECT_EQ(once->IsPressed(0x01), 0) << "other keys are untouched";
}

TEST(KeyboardPressTest, UnknownKindFails)
{
    try {
        CreateKeyboardPressStrategy(2);
        FAIL() << "no exception";
    } catch (const SCore::TarnCoreException& e) {
        EXPECT_EQ(std::string(e.what()).rfind("can't create keyboard press strategy CreateKeyboardPressStrategy() ", 0), 0u)
            << e.what();
    }
}

} // namespace
