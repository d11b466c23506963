#pragma once
// A small application on the engine's frame, standing in for a game: it loads one texture on the
// loader thread while its loading screen (a blue field) is drawn, takes a click and a key on the
// input thread through a UI control, draws a green square where it was clicked and a red one
// once a key was typed, and enters its quit mode when the key was 'q'.

#include "engine/framework/ui/SUIControl.h"
#include "engine/framework/app/TarnApplication.h"

#include <atomic>
#include <boost/shared_ptr.hpp>
#include <condition_variable>
#include <mutex>

namespace sample {

// Remembers the last press and the last character it received (input thread).
class SampleControl : public TarnEngine::UI::SUIControl {
public:
    void DoMouseDownEvent(const TarnEngine::UI::SUIInputMouseDownEvent& e) override;
    void DoCharEvent(const TarnEngine::UI::SUIInputCharEvent& e) override;

    std::atomic<bool> m_Clicked{false};
    std::atomic<int> m_ClickX{0};
    std::atomic<int> m_ClickY{0};
    std::atomic<int> m_LastChar{0};
};

class SampleApp : public TarnEngine::TarnApplication {
public:
    enum Mode { Loading, Running, Quit };

    SampleApp();

    Mode GetMode() const { return m_Mode.load(); }
    int LoadingFrames() const { return m_LoadingFrames.load(); }
    const boost::shared_ptr<SampleControl>& Control() const { return m_Control; }

    void DoLeftButtonDown() override {}
    void DoRightButtonDown() override {}
    void DoLeftButtonUp() override {}
    void DoRightButtonUp() override {}
    void DoUpdate() override;
    void DoDraw() override;
    void DoInitObjects() override;
    void DoRestoreObjects() override {}
    void DoInvalidateObjects() override {}
    bool DoIsExit() override { return m_Mode.load() == Quit; }
    void DoDrawLoading() override;
    void DoCreateLoading() override {}
    void DoLoadProgress(unsigned int, unsigned int) override {}

private:
    // Fills a rectangle of the back buffer with a colour.
    void Fill(int x, int y, int width, int height, uint32_t colour);

    std::atomic<Mode> m_Mode{Loading};
    std::atomic<int> m_LoadingFrames{0};
    std::mutex m_Lock;
    std::condition_variable m_LoadingDrawn;
    boost::shared_ptr<SampleControl> m_Control;
};

} // namespace sample
