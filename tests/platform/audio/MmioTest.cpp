#include "platform/dsound.h"
#include "platform/testing.h"
#include "tests/support/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pt = platform::testing;

namespace {

class MmioTest : public ::testing::Test {
protected:
    void TearDown() override { pt::ResetAll(); }

    HMMIO OpenBytes(std::string& bytes)
    {
        MMIOINFO info;
        std::memset(&info, 0, sizeof(info));
        info.fccIOProc = FOURCC_MEM;
        info.pchBuffer = &bytes[0];
        info.cchBuffer = static_cast<LONG>(bytes.size());
        return mmioOpen(static_cast<const char*>(nullptr), &info, MMIO_ALLOCBUF | MMIO_READ);
    }
};

TEST_F(MmioTest, ReadsAndSeeksStayInsideTheFile)
{
    std::string file = "0123456789";
    HMMIO h = OpenBytes(file);
    ASSERT_NE(h, nullptr);
    char buffer[16];
    EXPECT_EQ(mmioSeek(h, 7, SEEK_SET), 7);
    EXPECT_EQ(mmioRead(h, buffer, 16), 3);
    EXPECT_EQ(mmioRead(h, buffer, 16), 0);
    EXPECT_EQ(mmioSeek(h, 11, SEEK_SET), -1);
    EXPECT_EQ(mmioSeek(h, -1, SEEK_SET), -1);
    EXPECT_EQ(mmioSeek(h, 0, SEEK_END), 10);
    EXPECT_EQ(mmioSeek(h, -4, SEEK_CUR), 6);
    EXPECT_EQ(mmioRead(h, buffer, -1), -1);
    mmioClose(h, 0);
}

TEST_F(MmioTest, InfoBufferWalksTheWholeFileThroughAdvance)
{
    std::string file(20000, '\0');
    for (size_t i = 0; i < file.size(); ++i) file[i] = static_cast<char>(i * 7);
    HMMIO h = OpenBytes(file);
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(mmioSeek(h, 5, SEEK_SET), 5);
    MMIOINFO info;
    ASSERT_EQ(mmioGetInfo(h, &info, 0), 0u);
    std::string read;
    for (;;) {
        if (info.pchNext == info.pchEndRead) {
            ASSERT_EQ(mmioAdvance(h, &info, MMIO_READ), 0u);
            if (info.pchNext == info.pchEndRead) break; // end of file
        }
        read += *info.pchNext++;
    }
    ASSERT_EQ(mmioSetInfo(h, &info, 0), 0u);
    EXPECT_EQ(read, file.substr(5));
    EXPECT_EQ(mmioSeek(h, 0, SEEK_CUR), 20000);
    mmioClose(h, 0);
}

TEST_F(MmioTest, AscendingFromAnOddSizedChunkStepsOverItsPadByte)
{
    std::string file = audiotest::Riff("WAVE", audiotest::Chunk("odd ", "x") + audiotest::Chunk("data", "ab"));
    HMMIO h = OpenBytes(file);
    ASSERT_NE(h, nullptr);
    MMCKINFO riff{}, odd{}, data{};
    ASSERT_EQ(mmioDescend(h, &riff, nullptr, 0), 0u);
    ASSERT_EQ(mmioDescend(h, &odd, &riff, 0), 0u);
    ASSERT_EQ(mmioAscend(h, &odd, 0), 0u);
    EXPECT_EQ(mmioSeek(h, 0, SEEK_CUR), 22) << "past the pad byte";
    ASSERT_EQ(mmioDescend(h, &data, &riff, 0), 0u);
    EXPECT_EQ(data.ckid, mmioFOURCC('d', 'a', 't', 'a'));
    mmioClose(h, 0);
}

} // namespace
