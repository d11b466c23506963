#include "platform/posix/Hooks.h"
#include "platform/testing.h"

#include <gtest/gtest.h>

namespace pt = platform::testing;

namespace {

const HRESULT kLost = HRESULT(0x88760868);
const HRESULT kNotReset = HRESULT(0x88760869);

class InjectionTest : public ::testing::Test {
protected:
    void TearDown() override { pt::ResetAll(); }

    static std::vector<HRESULT> Take(const char* site, int n)
    {
        std::vector<HRESULT> results;
        for (int i = 0; i < n; ++i) results.push_back(platform::hooks::TakeInjected(site));
        return results;
    }
};

TEST_F(InjectionTest, ResultsComeOnceQueuedOnTheNthCallOrAlways)
{
    typedef std::vector<HRESULT> R;
    EXPECT_EQ(Take("Site::Plain", 2), R({S_OK, S_OK}));

    pt::InjectOnce("Site::Once", E_FAIL);
    EXPECT_EQ(Take("Site::Once", 2), R({E_FAIL, S_OK}));

    pt::InjectQueue("Site::Queue", {kLost, kLost, kLost, kNotReset, S_OK});
    EXPECT_EQ(Take("Site::Queue", 6), R({kLost, kLost, kLost, kNotReset, S_OK, S_OK}));

    Take("Site::Nth", 2);
    pt::InjectOnNthCall("Site::Nth", 3, E_OUTOFMEMORY); // counted from here
    EXPECT_EQ(Take("Site::Nth", 4), R({S_OK, S_OK, E_OUTOFMEMORY, S_OK}));

    pt::InjectAlways("Site::Always", E_ABORT);
    pt::InjectOnce("Site::Always", E_INVALIDARG); // a queued result comes first
    EXPECT_EQ(Take("Site::Always", 3), R({E_INVALIDARG, E_ABORT, E_ABORT}));

    EXPECT_EQ(pt::CallCount("Site::Nth"), 6u);
    EXPECT_EQ(pt::CallCount("Site::Never"), 0u);
    pt::ClearInjections();
    EXPECT_EQ(pt::CallCount("Site::Nth"), 0u);
    EXPECT_EQ(Take("Site::Always", 1), R({S_OK}));
}

int g_AreaResets = 0;
void ResetArea() { ++g_AreaResets; }

TEST_F(InjectionTest, ResetAllPutsEveryHookBack)
{
    static const pt::ResetRegistration registration(&ResetArea);
    const int before = g_AreaResets;
    pt::InjectAlways("Site", E_FAIL);
    pt::SetFakeTime(5);
    pt::SetFakeLocalTime({2026, 1, 2, 3, 4, 5});
    pt::SetSleepMode(pt::SleepMode::Return);
    pt::HookMessageBox(true);
    pt::HookShell(true);

    pt::ResetAll();
    EXPECT_EQ(g_AreaResets, before + 1);
    EXPECT_EQ(platform::hooks::TakeInjected("Site"), S_OK);
    EXPECT_FALSE(pt::IsFakeTimeSet());
    EXPECT_TRUE(pt::SleepCalls().empty());
}

} // namespace
