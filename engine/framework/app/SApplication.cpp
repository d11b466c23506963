#include "engine/framework/app/SApplication.h"

#include "engine/framework/app/WindowProc.h"

#include <cstring>

namespace TarnEngine {

SApplication::SApplication()
{
    std::memset(m_AsciiBuffer, 0, sizeof(m_AsciiBuffer));
    std::memset(m_KeyboardState, 0, sizeof(m_KeyboardState));
    std::memset(m_DownCharacter, 0, sizeof(m_DownCharacter));
}

SApplication::~SApplication()
{
    ClearApplication(this);
}

LRESULT SApplication::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN: {
        DoKeyDown(uint8_t(wParam));
        std::memset(m_AsciiBuffer, 0, sizeof(m_AsciiBuffer));
        GetKeyboardState(m_KeyboardState);
        if (ToAscii(UINT(wParam), UINT(lParam), m_KeyboardState, m_AsciiBuffer, 0) == 1) {
            m_SeenDown.set(uint8_t(m_AsciiBuffer[0] & 0xFF));
            m_DownCharacter[uint8_t(wParam)] = uint16_t(0x100 | (m_AsciiBuffer[0] & 0xFF));
        }
        break;
    }
    case WM_KEYUP: {
        DoKeyUp(uint8_t(wParam));
        std::memset(m_AsciiBuffer, 0, sizeof(m_AsciiBuffer));
        GetKeyboardState(m_KeyboardState);
        const uint16_t down = m_DownCharacter[uint8_t(wParam)];
        m_DownCharacter[uint8_t(wParam)] = 0;
        if (ToAscii(UINT(wParam), UINT(lParam), m_KeyboardState, m_AsciiBuffer, 0) == 1) {
            // Unsigned throughout: codes above 127 index the set like any other.
            uint8_t character = uint8_t(m_AsciiBuffer[0] & 0xFF);
            // Shift released or pressed before the key came up (a typist rolling over the keys,
            // or X typing a capital): the key gives what it went down with.
            if (!m_SeenDown.test(character) && down) character = uint8_t(down & 0xFF);
            if (m_SeenDown.test(character)) {
                DoChar(character);
                m_SeenDown.reset(character);
            }
        }
        break;
    }
    case WM_SETFOCUS: DoActivate(); break;
    case WM_KILLFOCUS: DoDeactivate(); break;
    default: break;
    }
    return DoWindowMessage(message, wParam, lParam);
}

} // namespace TarnEngine
