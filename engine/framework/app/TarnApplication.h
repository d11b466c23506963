#pragma once
// The engine's application frame. Start-up makes the window, the render device and the input,
// loads the texture list and the game's objects on a loader thread while the main thread draws
// the loading screen, then starts the input thread. The run loop takes one window message, updates
// and renders, until the game reports its quit mode or the window is closed.

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/render/SViewport.h"
#include "engine/framework/app/SApplication.h"
#include "engine/framework/input/SInputMessager.h"
#include "engine/framework/threads/SLockGuard.h"
#include "engine/framework/app/SWindow.h"
#include "engine/framework/threads/TSafeData.h"

#include <boost/shared_ptr.hpp>
#include <cstdint>
#include <string>

namespace TarnEngine {

class SBackgroundWorker;

class TarnApplication : public SApplication {
public:
    TarnApplication();
    ~TarnApplication() override;

    // Makes the viewport for the render name and binds the device's lost and restored events.
    void DoInit(const std::string& renderName) override;
    // Start-up. A loader failure ends it: the loader is joined and its text is thrown, for the
    // caller to report (the loader only logs it).
    void Create(const char* windowName, int width, int height, int bitsPerPixel, bool fullScreen,
                const std::wstring& textureListPath);
    void DoRun() override;

    const boost::shared_ptr<SInputMessager>& GetInputMessager() const { return m_InputMessager; }
    const boost::shared_ptr<SCore::SViewport>& GetViewport() const { return m_Viewport; }
    const boost::shared_ptr<SCore::SWindow>& GetWindow() const { return m_Window; }

    // Queue the byte for the input thread.
    void DoKeyDown(uint8_t virtualKey) override;
    void DoKeyUp(uint8_t virtualKey) override;
    void DoChar(uint8_t character) override;

    virtual void DoUpdate() = 0;
    virtual void DoDraw() = 0;
    virtual void DoInitObjects() = 0;
    virtual void DoRestoreObjects() = 0;
    virtual void DoInvalidateObjects() = 0;
    virtual void DoLoadTextures(SCore::SDeserializator& reader);
    virtual bool DoIsExit() = 0;
    virtual void DoDrawLoading() = 0;
    virtual void DoCreateLoading() = 0;
    // loaded: the number of textures loaded so far; called under the render lock.
    virtual void DoLoadProgress(unsigned int loaded, unsigned int total) = 0;
    virtual void DoDeviceLost() {}
    virtual void DoDeviceRestored() {}

    // Alpha 0xFF, then red, green, blue: the colour every frame starts from while clearing is on.
    uint8_t m_ClearColor[4] = {0xFF, 0, 0, 0};

protected:
    void Update();
    void DoRender();
    // Clears and begins the scene; a device about to be reset invalidates the game's 3D objects
    // instead, and the frame is drawn without a scene.
    void BeginFrame();
    void LoadTextures(const std::wstring& path);
    void Init3DObjects();
    void Invalidate3DObjects();
    // Gives the input thread a second to finish what it holds, then stops it.
    void StopInput();
    CRITICAL_SECTION& RenderLock() { return m_RenderLock.Section(); }

    int32_t m_ClearFlag = 1;

private:
    void WaitForLoading(const SBackgroundWorker& loader);
    void LoadResources();
    void OnLoaded();

    boost::shared_ptr<SCore::SViewport> m_Viewport;
    boost::shared_ptr<SCore::SWindow> m_Window;
    boost::shared_ptr<SInputMessager> m_InputMessager;
    TSafeData<bool> m_Loading;
    std::wstring m_TextureListPath;
    SLockGuard m_RenderLock;
};

} // namespace TarnEngine
