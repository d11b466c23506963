#pragma once
// A virtual window whose procedure hands every message to the default procedure.

#include "platform/testing.h"
#include "platform/testing_input.h"
#include "platform/win32.h"
#include "tests/support/VirtualWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace windowtest {

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::ResetAll();
        m_Virtual.reset(new tarn_test::VirtualWindow(100, 50, 640, 480));
        m_Window = m_Virtual->Handle();
        ASSERT_NE(m_Window, nullptr);
    }

    void TearDown() override
    {
        m_Virtual.reset();
        platform::testing::ResetAll();
    }

    // Removes and dispatches every message the pump has; returns them in order.
    std::vector<MSG> Pump()
    {
        std::vector<MSG> out;
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            out.push_back(m);
            if (m.message == WM_QUIT) break;
            DispatchMessageA(&m);
        }
        return out;
    }

    static std::vector<UINT> Messages(const std::vector<MSG>& msgs)
    {
        std::vector<UINT> out;
        for (const MSG& m : msgs) out.push_back(m.message);
        return out;
    }

    std::unique_ptr<tarn_test::VirtualWindow> m_Virtual;
    HWND m_Window = nullptr;
};

} // namespace windowtest
