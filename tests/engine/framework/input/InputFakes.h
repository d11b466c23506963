#pragma once
// An input system whose first button the test presses, over a virtual window whose cursor the
// test moves, and a control that writes down what it receives.

#include "engine/core/input/SInput.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/ui/SUIControl.h"
#include "platform/testing.h"
#include "tests/support/VirtualWindow.h"

#include <atomic>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace inputtest {

class FakeMouse : public SCore::SMouse {
public:
    void DoUpdate() override {}
    void DoKill() override {}
    void Press(bool down) { SetButton(0, down); }
};

class FakeInput : public SCore::SInput {
public:
    explicit FakeInput(HWND window) : m_Window(window) { m_Mouse.reset(new FakeMouse); }
    void CreateInput(int, HWND, DWORD, int) override {}
    void CreateKeyboard(DWORD, int) override {}
    void CreateMouse(int, DWORD) override {}
    void Update() override
    {
        ++m_Updates;
        if (m_Fail) throw SCore::TarnCoreException("input failed");
    }
    void DoKill() override {}
    HWND GetWindow() const override { return m_Window; }

    FakeMouse& Mouse() { return static_cast<FakeMouse&>(*m_Mouse); }

    std::atomic<bool> m_Fail{false};
    std::atomic<int> m_Updates{0};

private:
    HWND m_Window;
};

class RecordingControl : public TarnEngine::UI::SUIControl {
public:
    void DoMouseMoveEvent(const TarnEngine::UI::SUIInputMouseMoveEvent& e) override { Add("move", e.m_X, e.m_Y); }
    void DoMouseDownEvent(const TarnEngine::UI::SUIInputMouseDownEvent& e) override
    {
        Add("down", e.m_X, e.m_Y);
        if (m_ThrowOnDown) throw std::runtime_error("boom");
    }
    void DoMouseUpEvent(const TarnEngine::UI::SUIInputMouseUpEvent& e) override { Add("up", e.m_X, e.m_Y); }
    void DoKeyDownEvent(const TarnEngine::UI::SUIInputKeyDownEvent& e) override { Add("keydown", e.m_Code); }
    void DoKeyUpEvent(const TarnEngine::UI::SUIInputKeyUpEvent& e) override { Add("keyup", e.m_Code); }
    void DoCharEvent(const TarnEngine::UI::SUIInputCharEvent& e) override { Add("char", e.m_Code); }

    // The events since the last call, space-separated.
    std::string Take()
    {
        std::lock_guard<std::mutex> guard(m_Lock);
        std::string out = m_Events.str();
        m_Events.str("");
        if (!out.empty()) out.pop_back();
        return out;
    }

    bool m_ThrowOnDown = false;

private:
    void Add(const char* what, int x, int y)
    {
        std::lock_guard<std::mutex> guard(m_Lock);
        m_Events << what << '(' << x << ',' << y << ") ";
    }
    void Add(const char* what, uint32_t code)
    {
        std::lock_guard<std::mutex> guard(m_Lock);
        m_Events << what << '(' << code << ") ";
    }

    std::mutex m_Lock;
    std::ostringstream m_Events;
};

} // namespace inputtest
