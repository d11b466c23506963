#include "game/app/kit/RGSoundTable.h"

#include "game/audio/RGSoundManager.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"

#include "tests/support/TempFolder.h"
#include "tests/support/ThrownText.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pt = platform::testing;
using Runegarden::gSoundManager;
using Runegarden::RGSoundTable;

namespace {

class RGSoundTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pt::SetFakeTime(1000);
        pt::UseSteppedMixer(true);
    }
    void TearDown() override
    {
        gSoundManager.reset();
        pt::ResetAll();
    }

    unsigned Plays()
    {
        unsigned plays = 0;
        for (const auto& b : pt::SoundBuffers()) plays += b.plays;
        return plays;
    }
};

TEST_F(RGSoundTableTest, EveryEffectSoundsUpToItsCopiesAndMovesTheBarOnce)
{
    platformtest::ScopedCwd data(TARN_DATA_DIR);
    std::vector<float> progress;
    RGSoundTable::Create(nullptr, [&](float v) { progress.push_back(v); });

    ASSERT_EQ(progress.size(), 20u);
    EXPECT_EQ(progress.front(), 0.8f);

    const struct {
        const char* name;
        unsigned copies;
    } sounds[] = {{"Collide", 1}, {"Magic", 1}, {"TeleCreate", 1}, {"TeleGo", 1}, {"BridgeDown", 1},
                  {"Step", 1},    {"Portal", 2}, {"RecErr", 1},   {"Click", 1},  {"Focus", 1},
                  {"Fountain", 1}, {"Kill", 1},  {"Switch", 1},   {"Wind", 1},   {"Gate", 1},
                  {"Spring", 1},  {"Funnel", 1}, {"Tooth", 4},    {"Score", 10}};
    unsigned total = 0;
    for (const auto& s : sounds) {
        const unsigned before = Plays();
        for (unsigned i = 0; i <= s.copies; ++i) gSoundManager->PlaySound(s.name);
        EXPECT_EQ(Plays() - before, s.copies) << s.name;
        total += s.copies;
    }
    EXPECT_EQ(pt::LiveSoundDevices(), total) << "one device per copy";
}

TEST_F(RGSoundTableTest, AMissingFileStopsTheTableWithItsContext)
{
    platformtest::TempFolder folder;
    std::filesystem::create_directories(folder / "sounds");
    std::filesystem::copy_file(std::string(TARN_DATA_DIR) + "/sounds/collide.wav", folder / "sounds/collide.wav");
    platformtest::ScopedCwd cwd(folder.Path().string());
    const std::string text = tarn_test::ThrownText([] { RGSoundTable::Create(nullptr, [](float) {}); });
    EXPECT_NE(text.find("RGSoundTable::Create()"), std::string::npos) << text;
    EXPECT_FALSE(gSoundManager->IsPlaying("Collide")) << "the effects before the failure stay registered";
}

} // namespace
