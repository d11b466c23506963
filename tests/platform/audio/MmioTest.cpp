#include "platform/dsound.h"
#include "platform/testing.h"

#include "tests/platform/TempFolder.h"
#include "tests/support/AudioTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>

namespace pt = platform::testing;
using namespace audiotest;

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

TEST_F(MmioTest, DescendFindsChunksPastOddSizedOnesAndAscendSkipsThePad)
{
    std::string file = Riff("WAVE", Chunk("odd ", "abc") + Chunk("fmt ", Format(1, 1, 22050, 16)) +
                                        Chunk("data", "xyz") + Chunk("tail", "12"));
    HMMIO h = OpenBytes(file);
    ASSERT_NE(h, nullptr);

    MMCKINFO riff{};
    ASSERT_EQ(mmioDescend(h, &riff, nullptr, 0), 0u);
    EXPECT_EQ(riff.ckid, FOURCC_RIFF);
    EXPECT_EQ(riff.fccType, mmioFOURCC('W', 'A', 'V', 'E'));
    EXPECT_EQ(riff.dwDataOffset, 8u);
    EXPECT_EQ(riff.cksize, file.size() - 8);

    MMCKINFO fmt{};
    fmt.ckid = mmioFOURCC('f', 'm', 't', ' ');
    ASSERT_EQ(mmioDescend(h, &fmt, &riff, MMIO_FINDCHUNK), 0u);
    EXPECT_EQ(fmt.dwDataOffset, 12u + 8 + 4 + 8); // after "WAVE", "odd " + 3 bytes + pad
    EXPECT_EQ(fmt.cksize, 16u);
    ASSERT_EQ(mmioAscend(h, &fmt, 0), 0u);

    // The next plain descend reads the odd-sized "data" chunk; ascending lands past its pad.
    MMCKINFO data{};
    ASSERT_EQ(mmioDescend(h, &data, &riff, 0), 0u);
    EXPECT_EQ(data.ckid, mmioFOURCC('d', 'a', 't', 'a'));
    EXPECT_EQ(data.cksize, 3u);
    char bytes[3];
    EXPECT_EQ(mmioRead(h, bytes, 3), 3);
    EXPECT_EQ(std::string(bytes, 3), "xyz");
    ASSERT_EQ(mmioAscend(h, &data, 0), 0u);
    MMCKINFO tail{};
    ASSERT_EQ(mmioDescend(h, &tail, &riff, 0), 0u);
    EXPECT_EQ(tail.ckid, mmioFOURCC('t', 'a', 'i', 'l'));

    MMCKINFO missing{};
    missing.ckid = mmioFOURCC('n', 'o', 'n', 'e');
    ASSERT_EQ(mmioSeek(h, 12, SEEK_SET), 12);
    EXPECT_EQ(mmioDescend(h, &missing, &riff, MMIO_FINDCHUNK), UINT(MMIOERR_CHUNKNOTFOUND));
    mmioClose(h, 0);
}

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

TEST_F(MmioTest, OpensFilesByProgramPathAndFailsForMissingOnes)
{
    platformtest::TempFolder folder;
    ASSERT_EQ(::mkdir((folder / "Sounds").c_str(), 0755), 0);
    platformtest::WriteFile(folder / "Sounds/Click.wav", "RIFF");
    platformtest::ScopedCwd cwd(folder.Path());
    HMMIO h = mmioOpen(L"sounds\\click.WAV", nullptr, MMIO_ALLOCBUF | MMIO_READ);
    ASSERT_NE(h, nullptr);
    char bytes[4];
    EXPECT_EQ(mmioRead(h, bytes, 4), 4);
    mmioClose(h, 0);
    EXPECT_EQ(mmioOpen(L"nothing.wav", nullptr, MMIO_READ), nullptr);

    pt::InjectOnce("mmioOpen", E_FAIL);
    EXPECT_EQ(mmioOpen("Sounds/Click.wav", nullptr, MMIO_READ), nullptr);
}

TEST_F(MmioTest, ResourcesExistOnlyWhenRegistered)
{
    EXPECT_EQ(FindResourceA(nullptr, "click", "WAVE"), nullptr);
    pt::RegisterResource("click", "WAVE", {1, 2, 3});
    HRSRC found = FindResourceW(nullptr, L"CLICK", L"WAVE");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "click", "WAV"), nullptr);
    HGLOBAL loaded = LoadResource(nullptr, found);
    ASSERT_EQ(SizeofResource(nullptr, found), 3u);
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(loaded));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[2], 3);
    pt::ResetAll();
    EXPECT_EQ(FindResourceA(nullptr, "click", "WAVE"), nullptr);
}

} // namespace
