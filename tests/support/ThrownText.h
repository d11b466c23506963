#pragma once
// Error texts for tests that pin them.

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

} // namespace tarn_test
