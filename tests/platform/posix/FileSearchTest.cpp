#include "platform/files.h"

#include "tests/support/TempFolder.h"

#include <sys/stat.h>

#include <gtest/gtest.h>


namespace {

// Every name a search returns, folders marked with a trailing '/'.
std::vector<std::string> Search(const std::wstring& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = WideToUtf8(data.cFileName);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) name += '/';
        names.push_back(name);
    } while (FindNextFileW(search, &data));
    EXPECT_TRUE(FindClose(search));
    return names;
}

class FileSearchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(::mkdir(m_Tmp.File("Splash").c_str(), 0777), 0);
        ASSERT_EQ(::mkdir(m_Tmp.File("Splash/sub").c_str(), 0777), 0);
        for (const char* name : {"Splash/b.jpg", "Splash/A.JPG", "Splash/splash1.jpg",
                                 "Splash/splash10.png", "Splash/readme", "play.url"})
            tarn_test::WriteBytes(m_Tmp.File(name), "x");
    }
    tarn_test::TempDir m_Tmp;
};

TEST_F(FileSearchTest, PatternsMatchIgnoringCaseInByteOrder)
{
    platformtest::ScopedCwd cwd(m_Tmp.Path().string());
    typedef std::vector<std::string> Names;
    struct Case {
        std::wstring pattern;
        Names names;
    };
    const Case cases[] = {
        {L"splash\\*.*", {"./", "../", "A.JPG", "b.jpg", "readme", "splash1.jpg", "splash10.png", "sub/"}},
        {L"SPLASH\\*.jpg", {"A.JPG", "b.jpg", "splash1.jpg"}},
        {L"splash\\splash??.*", {"splash10.png"}},
        {L"Play.URL", {"play.url"}},
        {L"splash\\SUB", {"sub/"}},
        {L"missing\\*.*", {}},
        {L"splash\\", {}},
        {m_Tmp.Path().wstring() + L"\\SPLASH\\a.jpg", {"A.JPG"}}, // absolute; the real name on disk
    };
    for (const Case& c : cases) EXPECT_EQ(Search(c.pattern), c.names) << WideToUtf8(c.pattern);
}

} // namespace
