#include "WindowFixture.h"

#include "platform/dinput8.h"
#include "platform/testing_input.h"

namespace pt = platform::testing;
using windowtest::WindowFixture;

namespace {

class MouseInputTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        ASSERT_EQ(DirectInput8Create(GetModuleHandleA(nullptr), 0x0800, IID_IDirectInput8A,
                                     reinterpret_cast<void**>(&m_DI), nullptr), DI_OK);
        ASSERT_EQ(m_DI->CreateDevice(GUID_SysMouse, &m_Mouse, nullptr), DI_OK);
        ASSERT_EQ(m_Mouse->SetDataFormat(&c_dfDIMouse), DI_OK);
    }
    void TearDown() override
    {
        if (m_Mouse) m_Mouse->Release();
        if (m_DI) m_DI->Release();
        WindowFixture::TearDown();
    }
    void Buffer(DWORD entries)
    {
        DIPROPDWORD p{};
        p.diph.dwSize = sizeof(DIPROPDWORD);
        p.diph.dwHeaderSize = sizeof(DIPROPHEADER);
        p.diph.dwHow = DIPH_DEVICE;
        p.dwData = entries;
        ASSERT_EQ(m_Mouse->SetProperty(DIPROP_BUFFERSIZE, &p.diph), DI_OK);
    }
    std::vector<DIDEVICEOBJECTDATA> Drain(HRESULT* last = nullptr)
    {
        std::vector<DIDEVICEOBJECTDATA> out;
        for (;;) {
            DIDEVICEOBJECTDATA d{};
            DWORD n = 1;
            HRESULT hr = m_Mouse->GetDeviceData(sizeof(d), &d, &n, 0);
            if (last && out.empty()) *last = hr;
            if (FAILED(hr) || n == 0) break;
            out.push_back(d);
        }
        return out;
    }

    IDirectInput8* m_DI = nullptr;
    IDirectInputDevice8* m_Mouse = nullptr;
};

TEST_F(MouseInputTest, MovesAndClicksBecomeMessagesCursorAndBufferedEntries)
{
    Buffer(64);
    ASSERT_EQ(m_Mouse->Acquire(), DI_OK);
    pt::InjectMouseMove(10, 20);
    pt::InjectMouseMove(15, 18);
    pt::InjectMouseButton(1, true);
    pt::InjectMouseButton(3, true);
    pt::InjectMouseButton(1, false);
    pt::InjectMouseWheel(-1);
    std::vector<MSG> got = Pump();
    ASSERT_EQ(Messages(got), (std::vector<UINT>{WM_SETCURSOR, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONUP}))
        << "one pending WM_SETCURSOR: the newer replaces the older";
    EXPECT_EQ(got[0].lParam, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(got[1].lParam, MAKELPARAM(15, 18));

    POINT p;
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, 115) << "screen = window left 100 + 15";
    EXPECT_EQ(p.y, 68);

    std::vector<DIDEVICEOBJECTDATA> entries = Drain();
    struct E {
        DWORD ofs;
        LONG data;
    };
    const E expected[] = {{DIMOFS_X, 110}, {DIMOFS_Y, 70}, {DIMOFS_X, 5}, {DIMOFS_Y, -2},
                          {DIMOFS_BUTTON0, 0x80}, {DIMOFS_BUTTON0 + 1, 0x80}, {DIMOFS_BUTTON0, 0},
                          {DIMOFS_Z, -120}};
    ASSERT_EQ(entries.size(), sizeof(expected) / sizeof(expected[0]));
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].dwOfs, expected[i].ofs) << i;
        EXPECT_EQ(LONG(entries[i].dwData), expected[i].data) << i;
    }
}

TEST_F(MouseInputTest, ReadsFailWithoutBufferOrAcquisitionAndAlwaysZeroTheCount)
{
    DIDEVICEOBJECTDATA d{};
    DWORD n = 1;
    EXPECT_EQ(m_Mouse->GetDeviceData(sizeof(d), &d, &n, 0), DIERR_NOTBUFFERED);
    EXPECT_EQ(n, 0u);
    Buffer(64);
    n = 1;
    EXPECT_EQ(m_Mouse->GetDeviceData(sizeof(d), &d, &n, 0), DIERR_NOTACQUIRED);
    EXPECT_EQ(n, 0u);
    ASSERT_EQ(m_Mouse->Acquire(), DI_OK);
    pt::InjectMouseButton(1, true);
    Pump();
    pt::InjectOnce("IDirectInputDevice8::GetDeviceData", DIERR_INPUTLOST);
    n = 1;
    EXPECT_EQ(m_Mouse->GetDeviceData(sizeof(d), &d, &n, 0), DIERR_INPUTLOST);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(Drain().size(), 0u) << "a lost device is unacquired";
    ASSERT_EQ(m_Mouse->Acquire(), DI_OK);
    EXPECT_EQ(Drain().size(), 1u) << "the entry is still there";
}

TEST_F(MouseInputTest, AFullBufferMergesMovementsKeepsButtonsAndReportsOverflowOnce)
{
    Buffer(64);
    ASSERT_EQ(m_Mouse->Acquire(), DI_OK);
    for (int i = 1; i <= 70; ++i) pt::InjectMouseMove(i, 0);
    pt::InjectMouseButton(1, true);
    Pump();
    HRESULT first = DI_OK;
    std::vector<DIDEVICEOBJECTDATA> entries = Drain(&first);
    EXPECT_EQ(first, DI_BUFFEROVERFLOW);
    ASSERT_EQ(entries.size(), 65u) << "64 entries, then the button beyond them";
    LONG x = 0;
    for (const auto& e : entries)
        if (e.dwOfs == DIMOFS_X) x += LONG(e.dwData);
    EXPECT_EQ(x, 170) << "no movement lost: from screen x 0 to 170";
    EXPECT_EQ(entries.back().dwOfs, DIMOFS_BUTTON0);
    DIDEVICEOBJECTDATA d{};
    DWORD n = 1;
    EXPECT_EQ(m_Mouse->GetDeviceData(sizeof(d), &d, &n, 0), DI_OK) << "the overflow is cleared once reported";
}

} // namespace
