#include "game/audio/RGWaveFile.h"

#include "platform/files.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"

#include "tests/support/ThrownText.h"
#include "tests/support/TempFolder.h"
#include "tests/support/AudioTestSupport.h"

#include <gtest/gtest.h>

namespace pt = platform::testing;
using namespace audiotest;
using Runegarden::RGWaveFile;

namespace {

class RGWaveFileTest : public ::testing::Test {
protected:
    void TearDown() override { pt::ResetAll(); }

    std::wstring Write(const std::string& bytes)
    {
        const std::string name = "f" + std::to_string(m_Files++) + ".wav";
        platformtest::WriteFile(m_Folder / name, bytes);
        return Utf8ToWide(m_Folder / name);
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
    int m_Files = 0;
};

// The step that failed is the whole first entry of the chain.
::testing::AssertionResult FailsAt(const std::function<void()>& call, const std::string& step)
{
    return tarn_test::ThrowsStartingWith(call, step + " RGWaveFile::");
}

TEST_F(RGWaveFileTest, GoodFilesAndResourcesGiveTheirFormatAndSamplesAgainAfterAReset)
{
    const std::string samples = Samples16({1, -2, 300, -400, 5000});
    const struct {
        const char* what;
        std::string bytes;  // as the file, or as a resource of a missing file of resourceType
        const char* resourceType;
        std::string extra; // format bytes after the 18-byte record
        std::string samples;
    } cases[] = {
        {"odd-sized chunks around", Riff("WAVE", Chunk("LIST", "INFOabc") + Chunk("fmt ", Format(1, 1, 11025, 16)) +
                                                     Chunk("odd ", "x") + Chunk("data", samples)),
         nullptr, "", samples},
        {"another format tag", Riff("WAVE", Chunk("fmt ", Format(2, 1, 22050, 16) + Le16(4) + "wxyz") + Chunk("data", "1234")),
         nullptr, "wxyz", "1234"},
        {"RIFF size beyond the file", Riff("WAVE", Chunk("fmt ", Format(1, 1, 22050, 16)) + Chunk("data", "abcd"), 0x7FFFFFFF),
         nullptr, "", "abcd"},
        {"WAVE resource", Wav("wxyz"), "WAVE", "", "wxyz"},
        {"WAV resource", Wav("wxyz"), "WAV", "", "wxyz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        pt::ResetAll();
        std::wstring path = L"sounds\\missing.wav";
        if (c.resourceType)
            pt::RegisterResource("sounds\\missing.wav", c.resourceType, std::vector<uint8_t>(c.bytes.begin(), c.bytes.end()));
        else
            path = Write(c.bytes);
        RGWaveFile wave;
        wave.Open(path.c_str(), nullptr, RGWaveFile::kRead);
        ASSERT_EQ(wave.GetFormat()->cbSize, c.extra.size());
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(wave.GetFormat()) + 18, c.extra.size()), c.extra);
        EXPECT_EQ(ReadAll(wave), c.samples);
        DWORD read = 99;
        BYTE byte = 0;
        wave.Read(&byte, 1, &read);
        EXPECT_EQ(read, 0u) << "reading stops at the end of the chunk";
        wave.ResetFile();
        EXPECT_EQ(ReadAll(wave), c.samples);
    }
}

TEST_F(RGWaveFileTest, BrokenFilesAndFailedCallsFailAtTheirStepWithoutAllocating)
{
    const std::string fmt = Chunk("fmt ", Format(1, 1, 22050, 16));
    const std::string good = Wav("abcdefgh");
    const struct {
        const char* what;
        std::string bytes;  // as the file; none: no file, a "WAVE" resource of the good bytes
        const char* site;   // a call made to fail, with the number of the failing call
        unsigned call;
        const char* step;
    } cases[] = {
        {"empty file", "", nullptr, 0, "mmioDescend"},
        {"not RIFF", "RIFX" + Le32(4) + "WAVE", nullptr, 0, "mmioFOURCC"},
        {"RIFF of another form", Riff("AVI ", fmt + Chunk("data", "abcd")), nullptr, 0, "mmioFOURCC"},
        {"format shorter than 16 bytes", Riff("WAVE", Chunk("fmt ", Format(1, 1, 22050, 16).substr(0, 14))),
         nullptr, 0, "sizeof(PCMWAVEFORMAT)"},
        {"extra format bytes beyond the chunk",
         Riff("WAVE", Chunk("fmt ", Format(2, 1, 22050, 16) + Le16(60000)) + Chunk("data", "ab")), nullptr, 0, "mmioRead"},
        {"no data chunk", Riff("WAVE", fmt), nullptr, 0, "mmioDescend"},
        {"data chunk larger than the file", Riff("WAVE", fmt + Chunk("data", "abcd", 0xFFFFFFF0u)), nullptr, 0, "Read"},
        {"data chunk past the RIFF chunk", Riff("WAVE", fmt + Chunk("data", "abcd"), 4 + 24), nullptr, 0, "mmioDescend"},
        {"second descend fails", good, "mmioDescend", 2, "mmioDescend"},
        {"read fails", good, "mmioRead", 1, "mmioRead"},
        {"ascend fails", good, "mmioAscend", 1, "mmioAscend"},
        {"seek fails", good, "mmioSeek", 4, "mmioSeek"},
        {"no file and no resource", "", "FindResource", 0, "Find resource"},
        {"resource cannot be loaded", "", "LoadResource", 1, "Load resource"},
        {"resource cannot be locked", "", "LockResource", 1, "Lock resource"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        pt::ResetAll();
        std::wstring path = Write(c.bytes);
        if (c.site && std::string(c.site).find("Resource") != std::string::npos) {
            path = L"sounds\\missing.wav";
            if (c.call) pt::RegisterResource("sounds\\missing.wav", "WAVE", std::vector<uint8_t>(good.begin(), good.end()));
        }
        if (c.site && c.call) pt::InjectOnNthCall(c.site, c.call, E_FAIL);
        RGWaveFile wave;
        EXPECT_TRUE(FailsAt([&] { wave.Open(path.c_str(), nullptr, RGWaveFile::kRead); }, c.step));
    }

    // Reading after a good open.
    for (const char* site : {"mmioGetInfo", "mmioSetInfo"}) {
        pt::ResetAll();
        RGWaveFile wave;
        wave.Open(Write(good).c_str(), nullptr, RGWaveFile::kRead);
        pt::InjectOnce(site, E_FAIL);
        BYTE bytes[8];
        DWORD read = 0;
        EXPECT_TRUE(FailsAt([&] { wave.Read(bytes, 8, &read); }, site));
    }
}

} // namespace
