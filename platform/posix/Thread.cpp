// Threads started like _beginthreadex, joined through WaitForSingleObject and released by
// CloseHandle. A handle is a ThreadHandle the caller owns; the running thread shares only the
// completion state with it, so closing an unjoined handle detaches the thread safely.

#include "platform/win32.h"

#include "platform/posix/Hooks.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

namespace {

struct Completion {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
};

struct ThreadHandle {
    std::thread thread;
    std::shared_ptr<Completion> completion;
    DWORD id = 0;
};

// Handles given out and not yet closed, so a stale or foreign handle fails instead of crashing.
std::mutex g_HandlesMutex;
std::set<ThreadHandle*>& Handles()
{
    static std::set<ThreadHandle*>* handles = new std::set<ThreadHandle*>;
    return *handles;
}

std::atomic<DWORD> g_NextThreadId{1};
thread_local DWORD t_ThreadId = 0;

HANDLE const kCurrentThread = reinterpret_cast<HANDLE>(intptr_t(-2));

ThreadHandle* Find(HANDLE handle)
{
    std::lock_guard<std::mutex> lock(g_HandlesMutex);
    ThreadHandle* thread = static_cast<ThreadHandle*>(handle);
    return Handles().count(thread) ? thread : nullptr;
}

} // namespace

DWORD GetCurrentThreadId()
{
    if (t_ThreadId == 0) t_ThreadId = g_NextThreadId.fetch_add(1);
    return t_ThreadId;
}

uintptr_t _beginthreadex(void* security, unsigned stackSize, unsigned (*proc)(void*), void* arg,
                         unsigned initFlags, unsigned* threadId)
{
    if (FAILED(platform::hooks::TakeInjected("_beginthreadex")) || !proc) return 0;

    std::unique_ptr<ThreadHandle> handle(new ThreadHandle);
    handle->completion = std::make_shared<Completion>();
    handle->id = g_NextThreadId.fetch_add(1);
    std::shared_ptr<Completion> completion = handle->completion;
    const DWORD id = handle->id;
    try {
        handle->thread = std::thread([proc, arg, completion, id] {
            t_ThreadId = id;
            proc(arg);
            std::lock_guard<std::mutex> lock(completion->mutex);
            completion->finished = true;
            completion->done.notify_all();
        });
    } catch (const std::system_error& e) {
        std::fprintf(stderr, "_beginthreadex: cannot start a thread: %s\n", e.what());
        return 0;
    }
    if (threadId) *threadId = id;
    std::lock_guard<std::mutex> lock(g_HandlesMutex);
    Handles().insert(handle.get());
    return reinterpret_cast<uintptr_t>(handle.release());
}

HANDLE GetCurrentThread() { return kCurrentThread; }

int GetThreadPriority(HANDLE) { return THREAD_PRIORITY_NORMAL; }

BOOL SetThreadPriority(HANDLE, int) { return TRUE; }

DWORD WaitForSingleObject(HANDLE handle, DWORD ms)
{
    ThreadHandle* thread = Find(handle);
    if (!thread) return WAIT_FAILED;
    if (thread->thread.joinable() && thread->thread.get_id() == std::this_thread::get_id()) {
        // A thread waiting for itself would never wake up.
        std::fputs("WaitForSingleObject: a thread cannot wait for itself\n", stderr);
        return WAIT_FAILED;
    }
    {
        Completion& c = *thread->completion;
        std::unique_lock<std::mutex> lock(c.mutex);
        if (ms == INFINITE)
            c.done.wait(lock, [&] { return c.finished; });
        else if (!c.done.wait_for(lock, std::chrono::milliseconds(ms), [&] { return c.finished; }))
            return WAIT_TIMEOUT;
    }
    // Finished: joining returns at once. Two waiters on one handle are not supported, as the
    // engine's owners are the only ones to wait.
    if (thread->thread.joinable()) thread->thread.join();
    return WAIT_OBJECT_0;
}

BOOL CloseHandle(HANDLE handle)
{
    if (handle == kCurrentThread) return TRUE;
    ThreadHandle* thread;
    {
        std::lock_guard<std::mutex> lock(g_HandlesMutex);
        thread = static_cast<ThreadHandle*>(handle);
        if (!Handles().erase(thread)) return FALSE;
    }
    if (thread->thread.joinable()) {
        bool finished;
        {
            std::lock_guard<std::mutex> lock(thread->completion->mutex);
            finished = thread->completion->finished;
        }
        if (finished && thread->thread.get_id() != std::this_thread::get_id())
            thread->thread.join();
        else
            thread->thread.detach();
    }
    delete thread;
    return TRUE;
}
