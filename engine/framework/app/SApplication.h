#pragma once
// The application as the window procedure sees it: key, character and focus messages become
// virtual operations. A character is produced at key-up, with the shift state of the key-up, and
// only for a character code that the key-down also produced; when Shift changed in between, the
// key's own key-down character is produced instead, so that no typed character is lost.

#include "platform/win32.h"

#include <bitset>
#include <cstdint>
#include <string>

namespace TarnEngine {

class SApplication {
public:
    SApplication();
    virtual ~SApplication();
    SApplication(const SApplication&) = delete;
    SApplication& operator=(const SApplication&) = delete;

    // Engine handling of one message; returns DoWindowMessage's result.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    virtual void DoLeftButtonDown() = 0;
    virtual void DoRightButtonDown() = 0;
    virtual void DoLeftButtonUp() = 0;
    virtual void DoRightButtonUp() = 0;
    virtual LRESULT DoWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) { return 0; }
    virtual void DoInit(const std::string& renderName) = 0;
    virtual void DoRun() = 0;
    virtual void DoExit() {}
    virtual void DoKeyDown(uint8_t virtualKey) = 0;
    virtual void DoKeyUp(uint8_t virtualKey) = 0;
    virtual void DoChar(uint8_t character) = 0;
    virtual void DoActivate() {}
    virtual void DoDeactivate() {}

private:
    // The ToAscii output (512 bytes), the keyboard state, and the characters seen going down.
    WORD m_AsciiBuffer[256];
    BYTE m_KeyboardState[256];
    std::bitset<256> m_SeenDown;
    // Per virtual key: 0x100 | the character its last key-down gave, 0 when none.
    uint16_t m_DownCharacter[256];
};

} // namespace TarnEngine
