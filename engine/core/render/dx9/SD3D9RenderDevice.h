#pragma once
// The render device on Direct3D 9: creation for a window, the loss protocol run at every
// begin-scene, reset, and the per-frame mappings of materials, textures, filters and fog onto
// render, texture-stage and sampler states. Every native call is made under the device lock.

#include "engine/core/render/SRenderDevice.h"
#include "engine/core/render/dx9/SD3D9AdapterInfo.h"
#include "platform/d3d9.h"
#include "platform/d3dx9.h"
#include "platform/win32.h"

#include <vector>

namespace SCore {

// The device lock: a recursive critical section, as the owner may enter it again.
class SRenderLockGuard {
public:
    SRenderLockGuard() { InitializeCriticalSection(&m_Section); }
    virtual ~SRenderLockGuard() { DeleteCriticalSection(&m_Section); }
    void Enter() { EnterCriticalSection(&m_Section); }
    void Leave() { LeaveCriticalSection(&m_Section); }
    CRITICAL_SECTION& Section() { return m_Section; }

private:
    CRITICAL_SECTION m_Section;
};

class SD3D9RenderDevice : public SRenderDevice {
public:
    static constexpr unsigned kStages = 8;

    SD3D9RenderDevice();
    ~SD3D9RenderDevice() override;

    void Create(HWND window, uint32_t width, uint32_t height, uint32_t colourDepth, bool fullScreen) override;
    void DoClearScene(uint8_t red, uint8_t green, uint8_t blue) override;
    void DoBeginScene() override;
    void EndScene() override;
    void DoSetTransform(uint32_t type, const SMatrix& matrix) override;
    SMatrix DoGetTransform(uint32_t type) override;
    void DoRender(const boost::shared_ptr<SVertexBuffer>& vertices, const boost::shared_ptr<SIndexBuffer>& indices,
                  uint32_t startIndex) override;
    void DoRender(const boost::shared_ptr<SVertexBuffer>& vertices, uint32_t startVertex) override;
    void DoBindVertexBuffer(const boost::shared_ptr<SVertexBuffer>& vertices) override;
    void DoBindIndexBuffer(const boost::shared_ptr<SIndexBuffer>& indices) override;
    void DoClearScene(float z) override;
    void* DoLockDevice() override;
    void DoSetmaterial(const SMaterial& material) override;
    void DoSetTexture(uint32_t stage, STexture* texture) override;
    void DoSetTextureFiltration(uint32_t stage, const STextureFiltration& filtration) override;
    void DoSetFog(const SFog& fog) override;
    uint32_t DoGetWidth() override;
    uint32_t DoGetHeight() override;
    void DoSetRenderTarget(STexture* texture) override;
    void DoSetView() override;
    void DoSetView(bool fullScreen) override;
    void DoUnlockDevice() override;

    void Init();
    void CreateD3D9Device();
    void CreateD3DDevice(HWND window, DWORD flags, uint32_t width, uint32_t height, uint32_t depth, bool fullScreen);
    UINT FindCompatiblePresentationInterval(UINT adapter);
    D3DFORMAT GetAllowableZBufferFormat(D3DFORMAT displayFormat, D3DFORMAT backBufferFormat, UINT adapter);
    bool TestZBufferFormat(D3DFORMAT displayFormat, D3DFORMAT depthFormat, UINT adapter, D3DFORMAT backBufferFormat);
    // Throws SRenderDeviceResetException once before each reset it makes.
    void TestCooperativeLevel();
    // A loss during the reset is a result, since the loss check waits it out; other failures throw.
    enum class ResetResult { Done, LostAgain };
    ResetResult Reset();
    void Kill();
    void SetVertexShader(uint32_t fvf);

    // Fonts follow loss and reset while they are registered.
    void RegisterFont(ID3DXFont* font);
    void UnregisterFont(ID3DXFont* font);
    size_t FontCount() const { return m_Fonts.size(); }
    // A texture released, reloaded or recreated must not be taken for bound any more.
    void ForgetTexture(const STexture* texture);

    IDirect3DDevice9* GetNativeDevice() const { return m_Device; }
    const D3DPRESENT_PARAMETERS& GetPresentParameters() const { return m_PresentParams; }
    const boost::shared_ptr<SD3D9AdapterInfo>& GetAdapterInfo() const { return m_AdapterInfo; }
    UINT GetAdapter() const { return m_Adapter; }

private:
    void LogPresentParameters();
    void SaveBackBuffer();

    IDirect3D9* m_D3D = nullptr;
    IDirect3DDevice9* m_Device = nullptr;
    boost::shared_ptr<SD3D9AdapterInfo> m_AdapterInfo;
    D3DPRESENT_PARAMETERS m_PresentParams = {};
    std::vector<ID3DXFont*> m_Fonts;
    STexture* m_StageCache[kStages] = {};
    IDirect3DSurface9* m_BackBuffer = nullptr;
    UINT m_Adapter = 0;
    HWND m_Window = nullptr;
    uint32_t m_RequestedWidth = 0;
    uint32_t m_RequestedHeight = 0;
    // Whether the begin-scene has told its caller of the reset it is waiting to make.
    bool m_ResetAnnounced = false;
    SRenderLockGuard m_Lock;
};

} // namespace SCore
