#include "engine/core/input/SKeyboardPressStrategy.h"
#include "engine/core/base/TarnCoreException.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

#include <string>

using SCore::CreateKeyboardPressStrategy;

namespace {

// Feeds one key's states ('1' down, '0' up, '+' down and up again, '?' asks again without a new
// state) and records the answers: '1' for 0x80, '0' for 0, '!' when another key reads down.
std::string Answers(int kind, const std::string& steps)
{
    boost::shared_ptr<SCore::SKeyboardPressStrategy> s = CreateKeyboardPressStrategy(kind);
    BYTE state[256] = {};
    std::string out;
    for (char c : steps) {
        if (c == '+') {
            state[0x39] = 0x80;
            s->SetState(state);
        }
        if (c != '?') {
            state[0x39] = c == '1' ? 0x80 : 0;
            s->SetState(state);
        }
        const BYTE answer = s->IsPressed(0x39);
        out += answer == 0x80 ? '1' : answer == 0 ? '0' : 'x';
        if (s->IsPressed(0x01) != 0) out += '!'; // other keys stay up
    }
    return out;
}

TEST(KeyboardPressTest, HeldKeysAnswerAlwaysOrOncePerPress)
{
    EXPECT_EQ(Answers(0, "0111?011"), "01111011");
    // Once: 0x80 at the first question after the key went down, until it is seen up.
    EXPECT_EQ(Answers(1, "1??01?"), "100010");
    // A tap between two questions, as on a slow frame, is seen once by either kind.
    EXPECT_EQ(Answers(0, "+?"), "10");
    EXPECT_EQ(Answers(1, "+?"), "10");
}

TEST(KeyboardPressTest, UnknownKindFails)
{
    EXPECT_EQ(tarn_test::ThrownText([] { CreateKeyboardPressStrategy(2); }), "can't create keyboard press strategy");
}

} // namespace
