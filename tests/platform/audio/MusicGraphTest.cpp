// Included together, as the game does: the layer has one IUnknown.
#include "platform/d3d9.h"
#include "platform/dsound.h"
#include "platform/dshow.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"
#include "platform/files.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace pt = platform::testing;

namespace {

const std::wstring kTone = Utf8ToWide(TARN_SOURCE_DIR "/tests/game/audio/data/tone.mp3");

class MusicGraphTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pt::SetFakeTime(5000);
        pt::UseSteppedMixer(true);
        ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IGraphBuilder, reinterpret_cast<void**>(&m_Graph)),
                  S_OK);
        ASSERT_EQ(m_Graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&m_Control)), S_OK);
        ASSERT_EQ(m_Graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&m_Event)), S_OK);
        ASSERT_EQ(m_Graph->QueryInterface(IID_IBasicAudio, reinterpret_cast<void**>(&m_Audio)), S_OK);
        ASSERT_EQ(m_Graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&m_Seeking)), S_OK);
    }
    void TearDown() override
    {
        for (IUnknown* i : std::initializer_list<IUnknown*>{m_Seeking, m_Audio, m_Event, m_Control, m_Graph})
            if (i) i->Release();
        EXPECT_EQ(pt::LiveGraphs(), 0u);
        pt::ResetAll();
    }

    IGraphBuilder* m_Graph = nullptr;
    IMediaControl* m_Control = nullptr;
    IMediaEvent* m_Event = nullptr;
    IBasicAudio* m_Audio = nullptr;
    IMediaSeeking* m_Seeking = nullptr;
};

TEST_F(MusicGraphTest, RenderFileReportsMissingAndUndecodableFiles)
{
    EXPECT_EQ(m_Graph->RenderFile(L"no such file.mp3", nullptr), HRESULT(0x80070002));
    platformtest::TempFolder folder;
    platformtest::WriteFile(folder / "noise.mp3", std::string(3000, 'x'));
    EXPECT_EQ(m_Graph->RenderFile(Utf8ToWide(folder / "noise.mp3").c_str(), nullptr), E_FAIL);
    EXPECT_EQ(m_Control->Run(), E_FAIL) << "nothing rendered, nothing to run";
}

TEST_F(MusicGraphTest, PlaysToTheEndThenWaitsCompleteUntilSeekedBack)
{
    ASSERT_EQ(m_Graph->RenderFile(kTone.c_str(), nullptr), S_OK);
    LONGLONG current = -1, stop = -1;
    ASSERT_EQ(m_Seeking->GetPositions(&current, &stop), S_OK);
    EXPECT_EQ(current, 0);
    EXPECT_GT(stop, 5000000);  // the half-second tone, with the encoder's padding
    EXPECT_LT(stop, 7000000);

    LONG code = -1;
    ASSERT_EQ(m_Control->Run(), S_OK);
    pt::SetGraphWait(pt::GraphWait::AdvanceClock);
    EXPECT_EQ(m_Event->WaitForCompletion(100, &code), E_ABORT);
    EXPECT_EQ(code, 0);
    m_Seeking->GetPositions(&current, &stop);
    EXPECT_NEAR(double(current), 1000000.0, 1000.0); // 100 ms in 100 ns units
    int waits = 1;
    while (m_Event->WaitForCompletion(100, &code) == E_ABORT) ASSERT_LT(++waits, 10);
    EXPECT_EQ(code, EC_COMPLETE);
    m_Seeking->GetPositions(&current, &stop);
    EXPECT_EQ(current, stop);
    // It stays at its end, complete at once, until sought back.
    EXPECT_EQ(m_Event->WaitForCompletion(100, &code), S_OK);
    LONGLONG zero = 0;
    ASSERT_EQ(m_Seeking->SetPositions(&zero, AM_SEEKING_AbsolutePositioning, nullptr,
                                      AM_SEEKING_NoPositioning), S_OK);
    pt::AdvanceFakeTime(50);
    m_Seeking->GetPositions(&current, &stop);
    EXPECT_NEAR(double(current), 500000.0, 1000.0);
    ASSERT_EQ(m_Control->Stop(), S_OK);
    pt::AdvanceFakeTime(50);
    LONGLONG stopped = 0;
    m_Seeking->GetPositions(&stopped, &stop);
    EXPECT_EQ(stopped, current);
}

TEST_F(MusicGraphTest, VolumeIsCheckedAndRecorded)
{
    EXPECT_EQ(m_Audio->put_Volume(-6151), S_OK);
    EXPECT_EQ(m_Audio->put_Volume(1), E_INVALIDARG);
    EXPECT_EQ(m_Audio->put_Volume(-10001), E_INVALIDARG);
    LONG volume = 0;
    m_Audio->get_Volume(&volume);
    EXPECT_EQ(volume, -6151);
}

// The music setting and the fades work through the volume: what is mixed follows it.
TEST_F(MusicGraphTest, TheVolumeScalesWhatIsMixed)
{
    ASSERT_EQ(m_Graph->RenderFile(kTone.c_str(), nullptr), S_OK);
    ASSERT_EQ(m_Control->Run(), S_OK);
    const size_t frames = 4000; // past the encoder's silent start
    const auto mix = [&](LONG volume) {
        EXPECT_EQ(m_Audio->put_Volume(volume), S_OK);
        LONGLONG start = 0;
        m_Seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
        std::vector<int16_t> out(frames * 2);
        pt::RenderMixer(out.data(), frames);
        return out;
    };
    const std::vector<int16_t> full = mix(0), tenth = mix(-2000), silent = mix(-10000);
    int loudest = 0;
    for (size_t i = 0; i < full.size(); ++i) {
        loudest = std::max(loudest, std::abs(int(full[i])));
        ASSERT_NEAR(tenth[i], full[i] / 10.0, 1.0) << "sample " << i;
        ASSERT_EQ(silent[i], 0) << "sample " << i;
    }
    EXPECT_GT(loudest, 1000) << "the tone sounds at full volume";
}

TEST(ComTest, InitialiseCountsPerThreadAndCreateKnowsOnlyTheGraph)
{
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    CoUninitialize();
    CoUninitialize();
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(IID_IMediaControl, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                               &object),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(pt::LiveGraphs(), 0u);
    pt::ResetAll();
}

} // namespace
