#pragma once
// The program's one top-level window. Its class and its title share the window's name; the
// class procedure is WindowProc. Releasing the window unregisters the class.

#include "platform/win32.h"

#include <boost/shared_ptr.hpp>
#include <string>

namespace SCore {

class SWindow {
public:
    // The shared pointer is kept and never read (the application gives an empty one).
    SWindow(const boost::shared_ptr<void>& owner, const std::string& name);
    ~SWindow();
    SWindow(const SWindow&) = delete;
    SWindow& operator=(const SWindow&) = delete;

    // Registers the class and creates the window with a client area of width x height.
    // Throws "can't register window class" or "can't create window".
    void Create(int width, int height, DWORD style);

    HWND GetHandle() const { return m_Window; }
    const std::string& GetName() const { return m_Name; }

private:
    HWND m_Window = nullptr;
    boost::shared_ptr<void> m_Owner;
    std::string m_Name;
    HCURSOR m_Cursor = nullptr;
    bool m_Registered = false;
};

} // namespace SCore
