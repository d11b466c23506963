// The virtual-key state and the US-layout character translation of ToAscii.

#include "platform/sdl/WindowSystem.h"
#include "platform/sdl/Hooks.h"

#include <cstring>

namespace {

struct Punctuation {
    BYTE vk;
    char plain;
    char shifted;
};

const Punctuation kPunctuation[] = {
    {'0', '0', ')'}, {'1', '1', '!'}, {'2', '2', '@'}, {'3', '3', '#'}, {'4', '4', '$'},
    {'5', '5', '%'}, {'6', '6', '^'}, {'7', '7', '&'}, {'8', '8', '*'}, {'9', '9', '('},
    {VK_OEM_1, ';', ':'}, {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'},
    {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
    {VK_OEM_3, '`', '~'}, {VK_OEM_4, '[', '{'}, {VK_OEM_5, '\\', '|'}, {VK_OEM_6, ']', '}'},
    {VK_OEM_7, '\'', '"'},
};

int Character(UINT vk, const BYTE state[256])
{
    const bool shift = ((state[VK_SHIFT] | state[VK_LSHIFT] | state[VK_RSHIFT]) & 0x80) != 0;
    const bool ctrl = ((state[VK_CONTROL] | state[VK_LCONTROL] | state[VK_RCONTROL]) & 0x80) != 0;
    const bool caps = (state[VK_CAPITAL] & 0x01) != 0;
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return int(vk - 'A' + 1);
        return (shift != caps) ? int(vk) : int(vk - 'A' + 'a');
    }
    switch (vk) {
    case VK_BACK: return ctrl ? 0x7F : 8;
    case VK_SPACE: return ' ';
    case VK_TAB: return ctrl ? 0 : 9;
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    default: break;
    }
    if (ctrl) return 0;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return int('0' + (vk - VK_NUMPAD0));
    switch (vk) {
    case VK_MULTIPLY: return '*';
    case VK_ADD: return '+';
    case VK_SUBTRACT: return '-';
    case VK_DECIMAL: return '.';
    case VK_DIVIDE: return '/';
    default: break;
    }
    for (const Punctuation& p : kPunctuation)
        if (p.vk == vk) return shift ? p.shifted : p.plain;
    return 0;
}

} // namespace

BOOL GetKeyboardState(BYTE state[256])
{
    if (!state) return FALSE;
    platform::window::System& s = platform::window::TheSystem();
    std::lock_guard<std::mutex> guard(s.lock);
    std::memcpy(state, s.vkState, 256);
    return TRUE;
}

int ToAscii(UINT virtualKey, UINT, const BYTE state[256], WORD* out, UINT)
{
    if (!state || !out || virtualKey > 0xFF) return 0;
    int character = 0;
    {
        platform::window::System& s = platform::window::TheSystem();
        std::lock_guard<std::mutex> guard(s.lock);
        BYTE extra;
        if (platform::hooks::ExtraCharacter(BYTE(virtualKey), &extra)) character = extra;
    }
    if (!character) character = Character(virtualKey, state);
    if (!character) return 0;
    out[0] = WORD(character & 0xFF);
    return 1;
}
