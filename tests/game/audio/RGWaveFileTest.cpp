#include "game/audio/RGWaveFile.h"

#include "engine/core/base/TarnCoreException.h"
#include "platform/files.h"
#include "platform/testing.h"

#include "tests/support/ThrownText.h"
#include "tests/support/TempFolder.h"
#include "tests/support/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pt = platform::testing;
using namespace audiotest;
using Runegarden::RGWaveFile;

namespace {

class RGWaveFileTest : public ::testing::Test {
protected:
    void TearDown() override { pt::ResetAll(); }

    std::wstring Write(const std::string& name, const std::string& bytes)
    {
        platformtest::WriteFile(m_Folder / name, bytes);
        return Utf8ToWide(m_Folder / name);
    }

    // The text of the failure of opening the file, or "" when it opens.
    std::string OpenFailure(const std::wstring& path)
    {
        RGWaveFile wave;
        return tarn_test::ThrownText([&] { wave.Open(path.c_str(), nullptr, RGWaveFile::kRead); });
    }

    std::string ReadAll(RGWaveFile& wave)
    {
        std::string out(wave.GetSize(), '\0');
        DWORD read = 0;
        wave.Read(reinterpret_cast<BYTE*>(&out[0]), wave.GetSize(), &read);
        EXPECT_EQ(read, wave.GetSize());
        return out;
    }

    platformtest::TempFolder m_Folder;
};

// The step that failed is the whole first entry of the chain.
::testing::AssertionResult FailsAt(const std::string& text, const std::string& step)
{
    if (text.rfind(step + " RGWaveFile::", 0) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "text \"" << text << "\" does not start with " << step;
}

TEST_F(RGWaveFileTest, ReadsFormatAndSamplesPastOddSizedChunks)
{
    const std::string samples = Samples16({1, -2, 300, -400, 5000});
    const std::string file = Riff("WAVE", Chunk("LIST", "INFOabc") + Chunk("fmt ", Format(1, 1, 11025, 16)) +
                                              Chunk("odd ", "x") + Chunk("data", samples));
    RGWaveFile wave;
    wave.Open(Write("a.wav", file).c_str(), nullptr, RGWaveFile::kRead);
    ASSERT_NE(wave.GetFormat(), nullptr);
    EXPECT_EQ(wave.GetFormat()->wFormatTag, 1);
    EXPECT_EQ(wave.GetFormat()->nSamplesPerSec, 11025u);
    EXPECT_EQ(wave.GetFormat()->cbSize, 0);
    EXPECT_EQ(wave.GetSize(), samples.size());
    EXPECT_EQ(ReadAll(wave), samples);

    // Reading stops at the end of the chunk; a reset starts the samples over.
    DWORD read = 99;
    BYTE byte = 0;
    wave.Read(&byte, 1, &read);
    EXPECT_EQ(read, 0u);
    wave.ResetFile();
    EXPECT_EQ(ReadAll(wave), samples);
}

TEST_F(RGWaveFileTest, OtherFormatTagsKeepTheirExtraBytes)
{
    const std::string fmt = Format(2, 1, 22050, 16) + Le16(4) + "wxyz";
    RGWaveFile wave;
    wave.Open(Write("b.wav", Riff("WAVE", Chunk("fmt ", fmt) + Chunk("data", "1234"))).c_str(),
              nullptr, RGWaveFile::kRead);
    ASSERT_EQ(wave.GetFormat()->cbSize, 4);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(wave.GetFormat()) + 18, 4), "wxyz");
    EXPECT_EQ(ReadAll(wave), "1234");
}

TEST_F(RGWaveFileTest, RiffSizeBeyondTheFileIsBoundedByTheFile)
{
    const std::string chunks = Chunk("fmt ", Format(1, 1, 22050, 16)) + Chunk("data", "abcd");
    RGWaveFile wave;
    wave.Open(Write("c.wav", Riff("WAVE", chunks, 0x7FFFFFFF)).c_str(), nullptr, RGWaveFile::kRead);
    EXPECT_EQ(ReadAll(wave), "abcd");
}

TEST_F(RGWaveFileTest, MalformedFilesFailAtTheirStepWithoutAllocating)
{
    const std::string fmt = Chunk("fmt ", Format(1, 1, 22050, 16));
    struct Case {
        const char* what;
        std::string bytes;
        const char* step;
    };
    const Case cases[] = {
        {"empty file", "", "mmioDescend"},
        {"not RIFF", "RIFX" + Le32(4) + "WAVE", "mmioFOURCC"},
        {"RIFF of another form", Riff("AVI ", fmt + Chunk("data", "abcd")), "mmioFOURCC"},
        {"format shorter than 16 bytes", Riff("WAVE", Chunk("fmt ", Format(1, 1, 22050, 16).substr(0, 14))),
         "sizeof(PCMWAVEFORMAT)"},
        {"extra format bytes beyond the chunk",
         Riff("WAVE", Chunk("fmt ", Format(2, 1, 22050, 16) + Le16(60000)) + Chunk("data", "ab")),
         "mmioRead"},
        {"no data chunk", Riff("WAVE", fmt), "mmioDescend"},
        {"data chunk larger than the file", Riff("WAVE", fmt + Chunk("data", "abcd", 0xFFFFFFF0u)),
         "Read"},
        {"data chunk past the RIFF chunk", Riff("WAVE", fmt + Chunk("data", "abcd"), 4 + 24),
         "mmioDescend"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::wstring path = Write("bad" + std::to_string(n++) + ".wav", c.bytes);
        EXPECT_TRUE(FailsAt(OpenFailure(path), c.step)) << c.what;
    }
}

TEST_F(RGWaveFileTest, MissingFileFallsBackToAWaveOrWavResource)
{
    EXPECT_TRUE(FailsAt(OpenFailure(L"sounds\\missing.wav"), "Find resource"));

    const std::string bytes = Wav("wxyz");
    for (const char* type : {"WAVE", "WAV"}) {
        pt::ResetAll();
        pt::RegisterResource("sounds\\missing.wav", type, std::vector<uint8_t>(bytes.begin(), bytes.end()));
        RGWaveFile wave;
        wave.Open(L"sounds\\missing.wav", nullptr, RGWaveFile::kRead);
        EXPECT_EQ(ReadAll(wave), "wxyz") << type;
    }

    struct Case {
        const char* site;
        const char* step;
    };
    for (const Case& c : {Case{"LoadResource", "Load resource"}, Case{"LockResource", "Lock resource"}}) {
        pt::InjectOnce(c.site, E_FAIL);
        EXPECT_TRUE(FailsAt(OpenFailure(L"sounds\\missing.wav"), c.step)) << c.site;
    }
}

TEST_F(RGWaveFileTest, FailedMmioCallsNameTheirStep)
{
    const std::wstring path = Write("good.wav", Wav("abcdefgh"));
    struct Case {
        const char* site;
        unsigned call;
        const char* step;
    };
    const Case openCases[] = {
        {"mmioDescend", 2, "mmioDescend"}, {"mmioRead", 1, "mmioRead"},
        {"mmioAscend", 1, "mmioAscend"},   {"mmioSeek", 4, "mmioSeek"},
    };
    for (const Case& c : openCases) {
        pt::ClearInjections();
        pt::InjectOnNthCall(c.site, c.call, E_FAIL);
        EXPECT_TRUE(FailsAt(OpenFailure(path), c.step)) << c.site << " #" << c.call;
    }
    const Case readCases[] = {{"mmioGetInfo", 1, "mmioGetInfo"}, {"mmioSetInfo", 1, "mmioSetInfo"}};
    for (const Case& c : readCases) {
        pt::ClearInjections();
        RGWaveFile wave;
        wave.Open(path.c_str(), nullptr, RGWaveFile::kRead);
        pt::InjectOnce(c.site, E_FAIL);
        BYTE bytes[8];
        DWORD read = 0;
        EXPECT_TRUE(FailsAt(tarn_test::ThrownText([&] { wave.Read(bytes, 8, &read); }), c.step)) << c.site;
    }
}

} // namespace
