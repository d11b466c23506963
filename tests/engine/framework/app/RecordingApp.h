#pragma once
// An application frame whose game side writes down every call, for tests of start-up and the
// run loop on virtual windows with the headless render device.

#include "engine/core/TarnCoreException.h"
#include "engine/framework/TarnApplication.h"
#include "platform/testing.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <string>
#include <vector>

namespace apptest {

class RecordingApp : public TarnEngine::TarnApplication {
public:
    void DoLeftButtonDown() override { Add("LeftDown"); }
    void DoRightButtonDown() override { Add("RightDown"); }
    void DoLeftButtonUp() override { Add("LeftUp"); }
    void DoRightButtonUp() override { Add("RightUp"); }
    LRESULT DoWindowMessage(UINT message, WPARAM, LPARAM) override
    {
        if (message == WM_USER) Add("User");
        return 0;
    }
    void DoUpdate() override { Add("Update"); }
    void DoDraw() override
    {
        Add("Draw");
        ++m_Frames;
    }
    void DoInitObjects() override
    {
        Add("InitObjects");
        if (m_WaitForLoadingFrame) {
            // Proves the loading screen is drawn while the loader works.
            std::unique_lock<std::mutex> lock(m_Lock);
            m_Changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_LoadingFrames > 0; });
        }
        if (m_OnInitObjects) m_OnInitObjects();
    }
    void DoRestoreObjects() override { Add("RestoreObjects"); }
    void DoInvalidateObjects() override { Add("InvalidateObjects"); }
    bool DoIsExit() override { return m_Frames >= m_ExitAfterFrames || (m_ExitWhen && m_ExitWhen()); }
    void DoDrawLoading() override
    {
        {
            std::lock_guard<std::mutex> lock(m_Lock);
            ++m_LoadingFrames;
        }
        m_Changed.notify_all();
        if (m_ThrowInLoadingFrame) throw SCore::TarnCoreException("loading frame failed");
    }
    void DoCreateLoading() override { Add("CreateLoading"); }
    void DoLoadProgress(unsigned int loaded, unsigned int total) override
    {
        // The render lock is held: another thread must not get it now.
        m_ProgressUnderLock = m_ProgressUnderLock && LockHeldHere();
        Add("Progress " + std::to_string(loaded) + "/" + std::to_string(total));
    }

    std::vector<std::string> Calls()
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        return m_Calls;
    }
    void ClearCalls()
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        m_Calls.clear();
    }
    int LoadingFrames()
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        return m_LoadingFrames;
    }
    // Whether a thread other than the caller could take the render lock now.
    bool RenderLockFree()
    {
        bool free = false;
        std::thread probe([&] {
            free = TryEnterCriticalSection(&RenderLock()) != 0;
            if (free) LeaveCriticalSection(&RenderLock());
        });
        probe.join();
        return free;
    }
    void RunFrames(int frames)
    {
        m_ExitAfterFrames = m_Frames + frames;
        DoRun();
    }
    void SetClearFlag(int flag) { m_ClearFlag = flag; }

    int m_Frames = 0;
    int m_ExitAfterFrames = 1 << 30;
    std::function<bool()> m_ExitWhen;
    std::function<void()> m_OnInitObjects;
    bool m_WaitForLoadingFrame = false;
    bool m_ThrowInLoadingFrame = false;
    bool m_ProgressUnderLock = true;

private:
    bool LockHeldHere() { return !RenderLockFree(); }
    void Add(const std::string& call)
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        m_Calls.push_back(call);
    }

    std::mutex m_Lock;
    std::condition_variable m_Changed;
    std::vector<std::string> m_Calls;
    int m_LoadingFrames = 0;
};

} // namespace apptest
