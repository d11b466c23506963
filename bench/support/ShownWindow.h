#pragma once
// A shown top-level window made through the window layer, as the engine's application makes its
// own: on a display the server copies each of its presented frames to the screen, which a hidden
// test window skips. Destroyed with the object.

#include "platform/wintypes.h"

namespace bench {

class ShownWindow {
public:
    ShownWindow(const char* title, int width, int height);
    ~ShownWindow();
    ShownWindow(const ShownWindow&) = delete;
    ShownWindow& operator=(const ShownWindow&) = delete;
    HWND Handle() const { return m_Window; }

private:
    const char* m_Class;
    HWND m_Window = nullptr;
};

} // namespace bench
