#pragma once
// Stands in for the Win32 calls the engine makes for threads, critical sections, time, sleep and
// the message box, implemented on POSIX (platform/posix/) with SDL for the message box.
// Not reproduced: thread priorities (always normal), security attributes, stack sizes, suspended
// start, waiting on anything but a thread handle, message box buttons other than OK.
// Window, message and cursor calls join this header with the window backend.
// Depends on: wintypes.h; the hooks of testing.h replace the clock, local time, Sleep and the box.

#include "platform/wintypes.h"

#include <cstdint>

// ----- Time ----------------------------------------------------------------------------------

struct SYSTEMTIME {
    WORD wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
};
typedef SYSTEMTIME* LPSYSTEMTIME;

// The local wall-clock time (fake local time hook when set).
void GetLocalTime(SYSTEMTIME* out);

// Milliseconds since the layer started, wrapping modulo 2^32 (fake clock hook when set).
DWORD timeGetTime();

// Suspends the calling thread (the sleep hook decides what happens under test).
void Sleep(DWORD ms);

// ----- Critical sections ---------------------------------------------------------------------

// A recursive lock: the owning thread may enter again, and must leave as often as it entered.
struct CRITICAL_SECTION {
    void* impl;
};
typedef CRITICAL_SECTION* LPCRITICAL_SECTION;

void InitializeCriticalSection(CRITICAL_SECTION* cs);
void EnterCriticalSection(CRITICAL_SECTION* cs);
BOOL TryEnterCriticalSection(CRITICAL_SECTION* cs);
void LeaveCriticalSection(CRITICAL_SECTION* cs);
void DeleteCriticalSection(CRITICAL_SECTION* cs);

// Enters on construction, leaves on destruction: every lock the engine takes goes through one.
class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CRITICAL_SECTION& cs) : m_Section(cs) { EnterCriticalSection(&m_Section); }
    ~CriticalSectionLock() { LeaveCriticalSection(&m_Section); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CRITICAL_SECTION& m_Section;
};

// ----- Threads -------------------------------------------------------------------------------

#define THREAD_PRIORITY_NORMAL 0
#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu

// Starts a thread running proc(arg) at once. Returns a non-zero handle (castable to HANDLE) and
// writes the thread's id, or returns 0 when the thread cannot be started. The handle must be
// closed with CloseHandle; join it first with WaitForSingleObject.
uintptr_t _beginthreadex(void* security, unsigned stackSize, unsigned (*proc)(void*), void* arg,
                         unsigned initFlags, unsigned* threadId);

// A pseudo-handle for the calling thread; it needs no CloseHandle.
HANDLE GetCurrentThread();
int GetThreadPriority(HANDLE thread);
BOOL SetThreadPriority(HANDLE thread, int priority);
DWORD GetCurrentThreadId();

// Waits for a thread handle to finish: WAIT_OBJECT_0 once it has (and it is then joined),
// WAIT_TIMEOUT when ms pass first, WAIT_FAILED for a handle that is not a thread.
DWORD WaitForSingleObject(HANDLE handle, DWORD ms);

// Releases a handle; a thread not yet joined runs on detached.
BOOL CloseHandle(HANDLE handle);

// ----- Message box ---------------------------------------------------------------------------

#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ICONERROR 0x00000010u
#define MB_ICONHAND MB_ICONERROR
#define MB_ICONSTOP MB_ICONERROR
#define MB_ICONWARNING 0x00000030u
#define MB_ICONEXCLAMATION MB_ICONWARNING
#define MB_ICONINFORMATION 0x00000040u
#define MB_ICONASTERISK MB_ICONINFORMATION
#define IDOK 1
#define IDCANCEL 2

// Shows text in a blocking box when a display exists and always writes it to stderr; returns IDOK.
// Under the message box hook it only records the call.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

// ----- Windows, messages, keyboard and cursor -------------------------------------------------
// Backed by SDL2 (platform/sdl/Window*.cpp). A window is an SDL window when a display is present,
// otherwise a virtual one at the desktop's origin. The layer reports no window frame: the window
// rectangle always equals the client rectangle. Not reproduced: menus, child windows, icons,
// cursor resources, sent (cross-thread) messages, GetMessage and timers.

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef struct HMENU__* HMENU;
typedef WORD ATOM;

struct WNDCLASSEXA {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
    HICON hIconSm;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
typedef MSG* LPMSG;

struct WINDOWINFO {
    DWORD cbSize;
    RECT rcWindow;
    RECT rcClient;
    DWORD dwStyle;
    DWORD dwExStyle;
    DWORD dwWindowStatus;
    UINT cxWindowBorders;
    UINT cyWindowBorders;
    ATOM atomWindowType;
    WORD wCreatorVersion;
};

#define CS_VREDRAW 0x0001u
#define CS_HREDRAW 0x0002u
#define COLOR_WINDOW 5
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define CW_USEDEFAULT ((int)0x80000000)

#define WS_POPUP 0x80000000u
#define WS_CLIPSIBLINGS 0x04000000u
#define WS_CLIPCHILDREN 0x02000000u
#define WS_CAPTION 0x00C00000u
#define WS_SYSMENU 0x00080000u
#define WS_MINIMIZEBOX 0x00020000u
#define WS_VISIBLE 0x10000000u

#define SW_HIDE 0
#define SW_SHOW 5
#define SW_SHOWDEFAULT 10

#define GWL_STYLE (-16)
#define GCL_HCURSOR (-12)
#define HWND_NOTOPMOST ((HWND)(intptr_t)-2)
#define SWP_SHOWWINDOW 0x0040u

#define PM_NOREMOVE 0x0000u
#define PM_REMOVE 0x0001u

#define HTCLIENT 1

#define WM_NULL 0x0000u
#define WM_DESTROY 0x0002u
#define WM_SETFOCUS 0x0007u
#define WM_KILLFOCUS 0x0008u
#define WM_PAINT 0x000Fu
#define WM_CLOSE 0x0010u
#define WM_QUIT 0x0012u
#define WM_SETCURSOR 0x0020u
#define WM_KEYDOWN 0x0100u
#define WM_KEYUP 0x0101u
#define WM_SYSKEYDOWN 0x0104u
#define WM_SYSKEYUP 0x0105u
#define WM_COMMAND 0x0111u
#define WM_MOUSEMOVE 0x0200u
#define WM_LBUTTONDOWN 0x0201u
#define WM_LBUTTONUP 0x0202u
#define WM_RBUTTONDOWN 0x0204u
#define WM_RBUTTONUP 0x0205u
#define WM_USER 0x0400u

// Virtual-key codes (US keyboard).
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_SNAPSHOT 0x2C
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_APPS 0x5D
#define VK_NUMPAD0 0x60
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F1 0x70
#define VK_F10 0x79
#define VK_F12 0x7B
#define VK_NUMLOCK 0x90
#define VK_SCROLL 0x91
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5
#define VK_OEM_1 0xBA
#define VK_OEM_PLUS 0xBB
#define VK_OEM_COMMA 0xBC
#define VK_OEM_MINUS 0xBD
#define VK_OEM_PERIOD 0xBE
#define VK_OEM_2 0xBF
#define VK_OEM_3 0xC0
#define VK_OEM_4 0xDB
#define VK_OEM_5 0xDC
#define VK_OEM_6 0xDD
#define VK_OEM_7 0xDE

HMODULE GetModuleHandleA(LPCSTR name);
HICON LoadIconA(HINSTANCE module, LPCSTR name);      // NULL: the program has no resources
HCURSOR LoadCursorA(HINSTANCE module, LPCSTR name);  // NULL for the same reason

// Records the class (procedure, cursor, name); 0 when the name is taken or the call is injected
// ("RegisterClassExA").
ATOM RegisterClassExA(const WNDCLASSEXA* wc);
// Removes the class and destroys the windows still made from it.
BOOL UnregisterClassA(LPCSTR className, HINSTANCE module);

// Main thread. The window starts hidden; NULL for an unknown class or when injected
// ("CreateWindowExA").
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE module, LPVOID param);
// Calls the procedure with WM_DESTROY and hides the window; it stays drawable until its class is
// unregistered, so a device made on it is never left with a dangling window.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
BOOL ShowWindow(HWND window, int command);
BOOL UpdateWindow(HWND window);
BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu);
BOOL GetWindowRect(HWND window, RECT* rect);   // any thread; the desktop window gives the display
BOOL GetClientRect(HWND window, RECT* rect);   // any thread; (0, 0, w, h)
BOOL GetWindowInfo(HWND window, WINDOWINFO* info); // any thread; rcClient = rcWindow
HWND GetDesktopWindow();
LONG GetWindowLongA(HWND window, int index);
BOOL SetWindowPos(HWND window, HWND after, int x, int y, int width, int height, UINT flags);
DWORD GetClassLongA(HWND window, int index);

// Main thread only: pumps SDL and the injected input, then returns one message. Posted and input
// messages come first, in order, then WM_QUIT after PostQuitMessage, then one WM_PAINT.
BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* msg); // characters come from ToAscii; this generates nothing
LRESULT DispatchMessageA(const MSG* msg);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam); // any thread

// The virtual-key state as of the last key message removed by PeekMessageA: 0x80 down,
// 0x01 toggled (Caps Lock).
BOOL GetKeyboardState(BYTE state[256]);
// US layout. 1 with the character in the low byte of out[0], 0 for keys without one.
int ToAscii(UINT virtualKey, UINT scanCode, const BYTE state[256], WORD* out, UINT flags);

// The game's entry function, called by the layer's main on the main thread (tarn_platform_main).
int WINAPI WinMain(HINSTANCE module, HINSTANCE previous, LPSTR commandLine, int show);

HCURSOR SetCursor(HCURSOR cursor); // NULL hides the pointer over the client area
int ShowCursor(BOOL show);         // display counter; the pointer shows while it is >= 0
BOOL GetCursorPos(POINT* point);   // any thread: the screen position the pump last sampled
