#pragma once
// Lets a text box write into an outside string instead of its own.

#include <string>

namespace TarnEngine {
namespace UI {

class SUITextBinding {
public:
    explicit SUITextBinding(std::wstring* target) : m_Target(target) {}
    virtual ~SUITextBinding() = default;
    void Append(wchar_t c) { m_Target->push_back(c); }
    std::wstring& Text() { return *m_Target; }

private:
    std::wstring* m_Target;
};

} // namespace UI
} // namespace TarnEngine
