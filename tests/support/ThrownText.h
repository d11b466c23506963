#pragma once
// Error texts for tests that pin them.

#include <gtest/gtest.h>

#include <exception>
#include <string>

namespace tarn_test {

// The text of the exception f throws, or "" when it throws none.
template <typename F>
std::string ThrownText(F f)
{
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

inline bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Passes when f throws a text that begins with prefix; a failure shows the whole text.
template <typename F>
::testing::AssertionResult ThrowsStartingWith(F f, const std::string& prefix)
{
    const std::string text = ThrownText(f);
    if (!prefix.empty() && StartsWith(text, prefix)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "thrown \"" << text << "\", expected to begin with \"" << prefix << "\"";
}

} // namespace tarn_test
