#pragma once
// Helpers for the platform tests: a temporary folder removed afterwards, files written into it,
// an environment variable set for one test and the working directory changed for one test.

#include <gtest/gtest.h>

#include <ftw.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace platformtest {

class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/tarn-platform-XXXXXX";
        const char* made = ::mkdtemp(pattern);
        if (!made) ADD_FAILURE() << "mkdtemp failed";
        m_Path = made ? made : "/tmp";
    }
    ~TempFolder()
    {
        ::nftw(m_Path.c_str(),
               [](const char* path, const struct stat*, int, FTW*) { return ::remove(path); }, 16,
               FTW_DEPTH | FTW_PHYS);
    }
    const std::string& Path() const { return m_Path; }
    std::string operator/(const std::string& name) const { return m_Path + "/" + name; }

private:
    std::string m_Path;
};

inline void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Sets (or with nullptr unsets) a variable and puts the old value back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_Name(name)
    {
        const char* old = std::getenv(name);
        m_Had = old != nullptr;
        if (old) m_Old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_Had)
            ::setenv(m_Name.c_str(), m_Old.c_str(), 1);
        else
            ::unsetenv(m_Name.c_str());
    }

private:
    std::string m_Name, m_Old;
    bool m_Had;
};

class ScopedCwd {
public:
    explicit ScopedCwd(const std::string& path)
    {
        char buf[4096];
        m_Old = ::getcwd(buf, sizeof buf) ? buf : "/";
        EXPECT_EQ(::chdir(path.c_str()), 0) << path;
    }
    ~ScopedCwd() { (void)::chdir(m_Old.c_str()); }

private:
    std::string m_Old;
};

} // namespace platformtest
