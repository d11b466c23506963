#include "game/audio/RGMp3Player.h"

#include "platform/dshow.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"

#include "tests/support/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <thread>

namespace pt = platform::testing;
using audiotest::WaitUntil;
using Runegarden::RGMp3Player;

namespace {

const std::string kTone = TARN_SOURCE_DIR "/tests/game/audio/data/tone.mp3";

// The music thread runs in fake time: its sleeps and its waits for the end of the stream advance
// the fake clock, and the stepped mixer plays exactly as far as the clock moves.
class RGMp3PlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pt::SetFakeTime(10000);
        pt::UseSteppedMixer(true);
        pt::SetSleepMode(pt::SleepMode::AdvanceClock);
        pt::SetGraphWait(pt::GraphWait::AdvanceClock);
    }
    void TearDown() override
    {
        m_Player.reset();
        EXPECT_EQ(pt::LiveGraphs(), 0u);
        pt::ResetAll();
    }

    void Start(float volume)
    {
        m_Player.reset(new RGMp3Player());
        m_Player->SetVolume(volume);
        m_Player->Start();
    }

    // The graph with this creation number once it exists.
    pt::GraphInfo Graph(size_t index)
    {
        auto graphs = pt::Graphs();
        return index < graphs.size() ? graphs[index] : pt::GraphInfo{};
    }

    bool GraphVolumesReach(size_t index, size_t count)
    {
        return WaitUntil([&] { return Graph(index).volumes.size() >= count; });
    }

    std::unique_ptr<RGMp3Player> m_Player;
};

TEST(RGMp3PlayerVolumeTest, VolumesInHundredthsOfADecibel)
{
    // In range the curve shows in the play and fade tests; out of range or not a number is clamped.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float volume;
        LONG playing;
    } playing[] = {{2.0f, 0}, {-1.0f, -9932}, {nan, -9932}};
    for (const auto& c : playing) EXPECT_EQ(RGMp3Player::PlayingVolumeOf(c.volume), c.playing) << c.volume;
    EXPECT_EQ(RGMp3Player::FadingVolumeOf(2.0f, 0.25f), -2500);
    EXPECT_EQ(RGMp3Player::FadingVolumeOf(nan, 0.5f), -10000);
}

TEST_F(RGMp3PlayerTest, PlayLoopsTheFileUntilStoppedAndIgnoresAnotherPlayMeanwhile)
{
    Start(0.5f);
    m_Player->Play(kTone);
    // Each loop rewinds the stream once it has played to its end.
    ASSERT_TRUE(WaitUntil([&] { return Graph(0).seeks >= 3; }));
    m_Player->Play("other.mp3");
    const unsigned seeks = Graph(0).seeks;
    ASSERT_TRUE(WaitUntil([&] { return Graph(0).seeks >= seeks + 2; }));
    EXPECT_EQ(pt::Graphs().size(), 1u) << "the old file keeps looping";

    m_Player->Stop();
    ASSERT_TRUE(WaitUntil([&] { return pt::LiveGraphs() == 0; }));
    const pt::GraphInfo graph = Graph(0);
    EXPECT_EQ(graph.file, kTone);
    EXPECT_EQ(graph.stops, 1u);
    EXPECT_EQ(graph.volumes, std::vector<LONG>(graph.volumes.size(), -6151)) << "a stop does not fade";
}

TEST_F(RGMp3PlayerTest, FadeOutFallsToSilenceInStepsThenTheNextTrackStarts)
{
    // A fade asked for while nothing plays does not reach the next track.
    Start(1.0f);
    m_Player->FadeOut();
    ASSERT_TRUE(pt::WaitForSleepCalls(20)); // the thread went round idle a few times
    pt::AdvanceFakeTime(2000);
    m_Player->Play(kTone);
    ASSERT_TRUE(GraphVolumesReach(0, 3));
    EXPECT_EQ(Graph(0).volumes[0], 0);
    // While the fade is asked for, the playing loop waits for the clock instead of moving it, so
    // only our calls and the fade's own steps use up the fade's time, however threads are scheduled.
    pt::SetGraphWait(pt::GraphWait::Real);
    m_Player->FadeOut();
    m_Player->Play(kTone);
    pt::SetGraphWait(pt::GraphWait::AdvanceClock);
    ASSERT_TRUE(GraphVolumesReach(1, 3));

    const pt::GraphInfo faded = Graph(0);
    EXPECT_FALSE(faded.alive);
    EXPECT_EQ(faded.stops, 1u);
    // After the playing volume (0 at full volume), the fade falls steadily and ends silent.
    size_t first = 0;
    while (first < faded.volumes.size() && faded.volumes[first] == 0) ++first;
    ASSERT_LT(first, faded.volumes.size());
    const std::vector<LONG> fade(faded.volumes.begin() + first, faded.volumes.end());
    EXPECT_EQ(fade.back(), -10000);
    EXPECT_LE(fade.size(), 110u) << "the fade sleeps between steps";
    EXPECT_GE(fade.size(), 5u);
    for (size_t i = 1; i < fade.size(); ++i) ASSERT_LE(fade[i], fade[i - 1]) << i;

    const pt::GraphInfo next = Graph(1);
    EXPECT_EQ(next.file, kTone);
    EXPECT_TRUE(next.running);
    EXPECT_EQ(next.volumes, std::vector<LONG>(next.volumes.size(), 0)) << "the new track does not fade";
}

TEST_F(RGMp3PlayerTest, FailuresAreRetriedAfterAPauseAndNeverKeepTheDestructorWaiting)
{
    Start(1.0f);
    m_Player->Play("missing.mp3");
    ASSERT_TRUE(WaitUntil([&] { return pt::Graphs().size() >= 4; }));
    m_Player.reset();
    const auto graphs = pt::Graphs();
    for (const auto& g : graphs) EXPECT_EQ(g.renderResult, HRESULT(0x80070002));
    EXPECT_EQ(pt::LiveGraphs(), 0u) << "each attempt is released";
    unsigned pauses = 0;
    for (const auto& call : pt::SleepCalls()) pauses += call.ms == 100 ? 1 : 0;
    EXPECT_GE(pauses, graphs.size() - 1) << "a pause after each failed attempt";

    pt::InjectAlways("CoCreateInstance", REGDB_E_CLASSNOTREG);
    Start(1.0f);
    m_Player->Play(kTone);
    ASSERT_TRUE(WaitUntil([&] { return pt::CallCount("CoCreateInstance") >= 3; })) << "retried";
    m_Player.reset();

    pt::ClearInjections();
    pt::InjectOnce("CoInitialize", E_FAIL); // ends the thread
    Start(1.0f);
    m_Player->Play(kTone);
    m_Player.reset();
    EXPECT_EQ(pt::Graphs().size(), graphs.size());
}

TEST_F(RGMp3PlayerTest, RequestsFromTwoThreadsReachTheMusicThreadWhole)
{
    Start(1.0f);
    std::thread other([&] {
        for (int i = 0; i < 20; ++i) {
            m_Player->Play(kTone);
            m_Player->FadeOut();
        }
    });
    for (int i = 0; i < 20; ++i) {
        m_Player->Play(kTone);
        m_Player->Stop();
    }
    other.join();
    m_Player->Play(kTone);
    ASSERT_TRUE(WaitUntil([&] {
        const auto graphs = pt::Graphs();
        return !graphs.empty() && graphs.back().running;
    }));
    // A graph that has rendered nothing yet has no name.
    for (const auto& g : pt::Graphs()) {
        if (!g.file.empty()) {
            EXPECT_EQ(g.file, kTone) << "never a torn file name";
        }
    }
}

TEST_F(RGMp3PlayerTest, SettingThePlayRequestAfterAFadePlaysTheCurrentFileAgain)
{
    Start(1.0f);
    m_Player->Play(kTone);
    ASSERT_TRUE(GraphVolumesReach(0, 2));
    m_Player->FadeOut();
    ASSERT_TRUE(WaitUntil([&] { return !Graph(0).alive; }));
    EXPECT_EQ(pt::Graphs().size(), 1u) << "nothing plays while the request is withdrawn";

    m_Player->SetPlayRequest(true);
    ASSERT_TRUE(GraphVolumesReach(1, 2));
    EXPECT_EQ(Graph(1).file, kTone);
    EXPECT_TRUE(Graph(1).running);
}

} // namespace
