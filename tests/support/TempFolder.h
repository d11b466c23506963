#pragma once
// A temporary folder addressed with '/', an environment variable set
// for one test and the working directory changed for one test.

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace platformtest {

class TempFolder : public tarn_test::TempDir {
public:
    std::string operator/(const std::string& name) const { return File(name); }
};

inline void WriteFile(const std::string& path, const std::string& bytes) { tarn_test::WriteBytes(path, bytes); }

// Sets (or with nullptr unsets) a variable.
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
