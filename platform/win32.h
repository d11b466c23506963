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
