#include "game/audio/RGSoundManager.h"

#include "platform/dsound.h"
#include "platform/files.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"

#include "tests/support/ThrownText.h"
#include "tests/support/TempFolder.h"
#include "tests/support/AudioTestSupport.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <limits>
#include <thread>

namespace pt = platform::testing;
using namespace audiotest;
using Runegarden::RGSoundManager;

namespace {

class RGSoundManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pt::SetFakeTime(1000);
        pt::UseSteppedMixer(true);
        platformtest::WriteFile(m_Folder / "click.wav", Wav(Silence16(100)));
        m_Click = Utf8ToWide(m_Folder / "click.wav");
        m_Manager.reset(new RGSoundManager(nullptr));
        m_Manager->SetMasterVolume(1.0f);
    }
    void TearDown() override
    {
        m_Manager.reset();
        EXPECT_EQ(pt::LiveSoundDevices(), 0u);
        EXPECT_EQ(pt::LiveSoundBuffers(), 0u);
        pt::ResetAll();
    }

    unsigned Playing()
    {
        unsigned n = 0;
        for (const auto& b : pt::SoundBuffers()) n += b.playing ? 1 : 0;
        return n;
    }

    platformtest::TempFolder m_Folder;
    std::wstring m_Click;
    boost::shared_ptr<RGSoundManager> m_Manager;
};

TEST_F(RGSoundManagerTest, PoolOverlapsUpToItsSizeAndDropsTheRest)
{
    m_Manager->AddSound("Score", m_Click, 2);
    m_Manager->AddSound("Score", m_Click, 10); // registering again replaces the pool
    EXPECT_EQ(pt::LiveSoundDevices(), 10u);
    for (int i = 0; i < 11; ++i) m_Manager->PlaySound("Score");
    EXPECT_EQ(Playing(), 10u);
    unsigned plays = 0;
    for (const auto& b : pt::SoundBuffers()) plays += b.plays;
    EXPECT_EQ(plays, 10u) << "the eleventh play is dropped";
    EXPECT_TRUE(m_Manager->IsPlaying("Score"));

    pt::AdvanceFakeTime(100);
    EXPECT_FALSE(m_Manager->IsPlaying("Score"));
    m_Manager->PlaySound("Score");
    EXPECT_EQ(pt::SoundBuffers().front().plays, 2u) << "the first idle buffer plays again";

    // A failed registration keeps the old pool and releases what it made.
    const std::string text = tarn_test::ThrownText([&] { m_Manager->AddSound("Score", L"missing.wav", 3); });
    EXPECT_EQ(text.rfind("Find resource RGWaveFile::Open()", 0), 0u) << text;
    EXPECT_NE(text.find("RGSoundManager::AddSound()"), std::string::npos) << text;
    EXPECT_EQ(pt::LiveSoundDevices(), 10u);
    EXPECT_TRUE(tarn_test::ThrowsStartingWith([&] { m_Manager->PlaySound("Nope"); },
                                              "unknown sound name:Nope RGSoundManager::PlaySound() ..\\Src\\RGSoundManager at:"));
}

TEST_F(RGSoundManagerTest, MasterVolumeGivesHundredthsOfADecibelClampedToTheBufferRange)
{
    m_Manager->AddSound("Tooth", m_Click, 1);
    const struct {
        float master;
        LONG volume;
    } cases[] = {{0.25f, -7500}, {100.0f, 0}, {-1.0f, -10000}, {std::numeric_limits<float>::quiet_NaN(), -10000}};
    for (const auto& c : cases) {
        m_Manager->Stop("Tooth");
        m_Manager->SetMasterVolume(c.master);
        m_Manager->PlaySound("Tooth");
        EXPECT_EQ(pt::SoundBuffers()[0].volume, c.volume) << c.master;
        EXPECT_TRUE(m_Manager->IsPlaying("Tooth")) << "silent still counts as busy, " << c.master;
    }
}

TEST_F(RGSoundManagerTest, DeviceFailuresCarryTheirMessages)
{
    const struct {
        const char* site;
        unsigned call;
        HRESULT result;
        const char* message;
    } cases[] = {
        {"DirectSoundCreate", 1, E_FAIL, "can't create DirectSound"},
        {"IDirectSound::SetCooperativeLevel", 1, E_FAIL, "can't set cooperative level"},
        {"IDirectSound::CreateSoundBuffer", 1, E_OUTOFMEMORY, "can't create primary buffer"},
        {"IDirectSound::CreateSoundBuffer", 2, E_OUTOFMEMORY, "can't create sound buffer"},
        {"IDirectSoundBuffer::SetFormat", 1, HRESULT(0x88780999), "can't set primary buffer format(UNKNOWN ERROR)"},
    };
    for (const auto& c : cases) {
        pt::ClearInjections();
        pt::InjectOnNthCall(c.site, c.call, c.result);
        EXPECT_TRUE(tarn_test::ThrowsStartingWith([&] { m_Manager->AddSound("Kill", m_Click, 1); },
                                                  std::string(c.message) + " RGSoundBuffer::"));
        EXPECT_EQ(pt::LiveSoundDevices(), 0u) << c.message;
    }
}

TEST_F(RGSoundManagerTest, ASoundTheMixerCannotTakeIsLoggedWhenRegistered)
{
    // 100 Hz, 8-bit mono: 610 000 frames would be more than 100 minutes at the mixer's rate.
    platformtest::WriteFile(m_Folder / "long.wav", Wav(std::string(610000, '\x80'), 1, 100, 8));
    tarn_test::LogCapture log;
    m_Manager->AddSound("Long", Utf8ToWide(m_Folder / "long.wav"), 2);
    m_Manager->AddSound("Click", m_Click, 1);
    EXPECT_TRUE(log.HasEntry(" sound can't be converted for the mixer, it plays silence:Long\n")) << log.Text();
    EXPECT_EQ(log.Text().find(":Long", log.Text().find(":Long") + 1), std::string::npos) << "once per sound";
    EXPECT_EQ(log.Text().find(":Click"), std::string::npos);
}

TEST_F(RGSoundManagerTest, AStereoSoundMixesEachChannelToItsOwnSide)
{
    const struct {
        uint16_t bits;
        std::string frame;
        int16_t left, right;
    } cases[] = {{8, "\xC0\x40", 64 * 256, -64 * 256}, {16, Samples16({8000, -3000}), 8000, -3000}};
    for (const auto& c : cases) {
        std::string data;
        for (int i = 0; i < 2205; ++i) data += c.frame;
        platformtest::WriteFile(m_Folder / "stereo.wav", Wav(data, 2, 22050, c.bits));
        m_Manager->AddSound("Stereo", Utf8ToWide(m_Folder / "stereo.wav"), 1);
        m_Manager->PlaySound("Stereo");
        int16_t out[4];
        pt::RenderMixer(out, 2);
        EXPECT_EQ(out[0], c.left) << c.bits << "-bit";
        EXPECT_EQ(out[1], c.right) << c.bits << "-bit";
    }
}

TEST_F(RGSoundManagerTest, TwoThreadsPlayingAPoolOfTwoAtOnceGetOneBufferEach)
{
    m_Manager->AddSound("Focus", m_Click, 2);
    for (int round = 0; round < 200; ++round) {
        m_Manager->Stop("Focus");
        std::atomic<int> ready{0};
        auto play = [&] {
            ++ready;
            while (ready < 2) {
            }
            m_Manager->PlaySound("Focus");
        };
        std::thread a(play), b(play);
        a.join();
        b.join();
        ASSERT_EQ(Playing(), 2u) << "round " << round;
    }
}

} // namespace
