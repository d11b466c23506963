#include "engine/core/render/dx9/SD3D9RenderDevice.h"

#include "engine/core/render/SIndexBuffer.h"
#include "engine/core/base/SLoger.h"
#include "engine/core/base/SRenderDeviceResetException.h"
#include "engine/core/render/STexture.h"
#include "engine/core/render/SVertexBuffer.h"
#include "engine/core/base/TarnCoreDX9Exception.h"

#include <algorithm>
#include <cstring>
#include <string>

static const char* const kTarnSource = "Src\\dx9\\SD3D9RenderDevice";
static const char* const kLostAgain = "can't reset D3D9 device(D3DERR_DEVICELOST)";

namespace SCore {
namespace {

std::string Text(uint64_t value) { return std::to_string(value); }

DWORD FloatBits(float f)
{
    DWORD bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

D3DMATRIX ToNative(const SMatrix& m)
{
    D3DMATRIX out;
    std::memcpy(out.m, m.m, sizeof out.m);
    return out;
}

// Primitives drawn from n elements; 0 when too few (a strip of one index draws nothing).
uint32_t PrimitiveCount(uint32_t type, uint32_t n)
{
    switch (type) {
    case D3DPT_POINTLIST: return n;
    case D3DPT_LINELIST: return n / 2;
    case D3DPT_LINESTRIP: return n >= 1 ? n - 1 : 0;
    case D3DPT_TRIANGLELIST: return n / 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return n >= 2 ? n - 2 : 0;
    default: throw TarnCoreException("Primitivew type is not supported");
    }
}

} // namespace

SD3D9RenderDevice::SD3D9RenderDevice() {}

SD3D9RenderDevice::~SD3D9RenderDevice()
{
    try {
        Kill();
    } catch (const TarnCoreException& e) {
        gLoger << GetCurrentDateTime() << " " << e.what() << "\n";
    }
    m_Fonts.clear();
    m_AdapterInfo.reset();
}

// --- Creation -----------------------------------------------------------------------------------

void SD3D9RenderDevice::Create(HWND window, uint32_t width, uint32_t height, uint32_t colourDepth, bool fullScreen)
{
    TARN_TRY
    Init();
    m_Adapter = 0;
    bool hardware = false;
    for (size_t i = 0; i < m_AdapterInfo->m_Caps.size(); ++i)
        if (m_AdapterInfo->m_Caps[i].DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) {
            m_Adapter = UINT(i);
            hardware = true;
            break;
        }
    DWORD flags = hardware ? D3DCREATE_HARDWARE_VERTEXPROCESSING : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    CreateD3DDevice(window, flags, width, height, colourDepth, fullScreen);
    TARN_CATCH("SD3D9RenderDevice::Create()")
}

void SD3D9RenderDevice::Init()
{
    TARN_TRY
    CreateD3D9Device();
    m_AdapterInfo.reset(new SD3D9AdapterInfo);
    m_AdapterInfo->FillAdapterInfo(m_D3D);
    TARN_CATCH("SD3D9RenderDevice::Init()")
}

void SD3D9RenderDevice::CreateD3D9Device()
{
    TARN_TRY
    gLoger << GetCurrentDateTime() << " Create D3D9...";
    if (m_D3D) throw TarnCoreDX9Exception("D3D9 Device already init");
    m_D3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (!m_D3D) throw TarnCoreDX9Exception("can't create D3D9 Device");
    gLoger << GetCurrentDateTime() << " Done\n";
    TARN_CATCH("SD3D9RenderDevice::CreateD3D9Device()")
}

void SD3D9RenderDevice::CreateD3DDevice(HWND window, DWORD flags, uint32_t width, uint32_t height, uint32_t depth,
                                        bool fullScreen)
{
    TARN_TRY
    gLoger << GetCurrentDateTime() << " Create D3D Device...\n";
    m_RequestedWidth = width;
    m_RequestedHeight = height;
    D3DDISPLAYMODE mode;
    if (FAILED(m_D3D->GetAdapterDisplayMode(m_Adapter, &mode)))
        throw TarnCoreDX9Exception("can't get Adapter Display Mode : INVALIDCALL");
    if (mode.Format != D3DFMT_X8R8G8B8 && mode.Format != D3DFMT_R5G6B5)
        throw TarnCoreDX9Exception("Current Display Mode is not R5G6B5 or X8R8G8B8 format");
    if (!fullScreen) {
        uint32_t displayDepth = mode.Format == D3DFMT_X8R8G8B8 ? 32 : 16;
        if (depth == 0) depth = displayDepth;
        else if (depth != displayDepth)
            throw TarnCoreDX9Exception("In Windowed mode ColorDepth is not Display Color Depth");
    }
    std::memset(&m_PresentParams, 0, sizeof m_PresentParams);
    D3DPRESENT_PARAMETERS& p = m_PresentParams;
    p.hDeviceWindow = window;
    p.BackBufferFormat = depth == 16 ? D3DFMT_R5G6B5 : depth == 32 ? D3DFMT_X8R8G8B8 : D3DFMT_UNKNOWN;
    p.BackBufferCount = 1;
    p.SwapEffect = D3DSWAPEFFECT_DISCARD;
    p.Windowed = fullScreen ? FALSE : TRUE;
    p.BackBufferWidth = width;
    p.BackBufferHeight = height;
    if (!fullScreen) {
        // The client rectangle; a window the system does not know leaves zero, which asks
        // Direct3D for the client size (read back after creation).
        RECT client = {0, 0, 0, 0};
        GetClientRect(window, &client);
        p.BackBufferWidth = UINT(client.right - client.left);
        p.BackBufferHeight = UINT(client.bottom - client.top);
    }
    p.FullScreen_RefreshRateInHz = 0;
    p.PresentationInterval = FindCompatiblePresentationInterval(m_Adapter);
    p.EnableAutoDepthStencil = TRUE;
    p.AutoDepthStencilFormat = GetAllowableZBufferFormat(p.BackBufferFormat, p.BackBufferFormat, m_Adapter);

    HRESULT hr;
    {
        CriticalSectionLock lock(m_Lock.Section());
        hr = m_D3D->CreateDevice(m_Adapter, D3DDEVTYPE_HAL, window, flags, &p, &m_Device);
    }
    switch (hr) {
    case D3DERR_INVALIDCALL: throw TarnCoreDX9Exception("Can't create D3D9 Device: INVALIDCALL");
    case D3DERR_NOTAVAILABLE: throw TarnCoreDX9Exception("Can't create D3D9 Device: NOTAVAILABLE");
    case D3DERR_OUTOFVIDEOMEMORY: throw TarnCoreDX9Exception("Can't create D3D9 Device: OUTOFVIDEOMEMORY");
    default:
        if (FAILED(hr) || !m_Device) throw TarnCoreDX9Exception("Can't create D3D9 Device: UNKNOWN ERROR");
    }
    SaveBackBuffer();
    m_Viewport = SViewportRect();
    m_Viewport.Width = p.BackBufferWidth;
    m_Viewport.Height = p.BackBufferHeight;
    DoSetView();
    m_Window = window;
    LogPresentParameters();
    gLoger << GetCurrentDateTime() << " Done\n";
    TARN_CATCH("SD3D9RenderDevice::CreateD3DDevice()")
}

void SD3D9RenderDevice::SaveBackBuffer()
{
    CriticalSectionLock lock(m_Lock.Section());
    if (m_BackBuffer) m_BackBuffer->Release();
    m_BackBuffer = nullptr;
    if (FAILED(m_Device->GetRenderTarget(0, &m_BackBuffer))) return;
    D3DSURFACE_DESC desc;
    if (SUCCEEDED(m_BackBuffer->GetDesc(&desc))) {
        m_PresentParams.BackBufferWidth = desc.Width;
        m_PresentParams.BackBufferHeight = desc.Height;
    }
}

UINT SD3D9RenderDevice::FindCompatiblePresentationInterval(UINT adapter)
{
    TARN_TRY
    static const UINT order[] = {D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_ONE, D3DPRESENT_INTERVAL_TWO,
                                 D3DPRESENT_INTERVAL_THREE, D3DPRESENT_INTERVAL_FOUR};
    DWORD intervals = adapter < m_AdapterInfo->m_Caps.size() ? m_AdapterInfo->m_Caps[adapter].PresentationIntervals : 0;
    for (UINT interval : order)
        if (intervals & interval) return interval;
    throw TarnCoreDX9Exception("Can't find Compatible Presentation Interval");
    TARN_CATCH("SD3D9RenderDevice::FindCompatiblePresentationInterval()")
}

D3DFORMAT SD3D9RenderDevice::GetAllowableZBufferFormat(D3DFORMAT displayFormat, D3DFORMAT backBufferFormat, UINT adapter)
{
    TARN_TRY
    if (TestZBufferFormat(displayFormat, D3DFMT_D32, adapter, backBufferFormat)) return D3DFMT_D32;
    if (TestZBufferFormat(displayFormat, D3DFMT_D16, adapter, backBufferFormat)) return D3DFMT_D16;
    return D3DFMT_UNKNOWN;
    TARN_CATCH("SD3D9RenderDevice::GetAllowableZBufferFormat()")
}

bool SD3D9RenderDevice::TestZBufferFormat(D3DFORMAT displayFormat, D3DFORMAT depthFormat, UINT adapter,
                                          D3DFORMAT backBufferFormat)
{
    TARN_TRY
    if (FAILED(m_D3D->CheckDeviceFormat(adapter, D3DDEVTYPE_HAL, displayFormat, D3DUSAGE_DEPTHSTENCIL,
                                        D3DRTYPE_SURFACE, depthFormat)))
        return false;
    return SUCCEEDED(m_D3D->CheckDepthStencilMatch(adapter, D3DDEVTYPE_HAL, displayFormat, backBufferFormat,
                                                   depthFormat));
    TARN_CATCH("SD3D9RenderDevice::TestZBufferFormat()")
}

void SD3D9RenderDevice::LogPresentParameters()
{
    const D3DPRESENT_PARAMETERS& p = m_PresentParams;
    char window[32];
    std::snprintf(window, sizeof window, "%p", static_cast<void*>(p.hDeviceWindow));
    gLoger << GetCurrentDateTime() << " Present parameters: " << "\n";
    gLoger << " AutoDepthStencilFormat:" << Text(p.AutoDepthStencilFormat) << "\n";
    gLoger << " BackBufferCount:" << Text(p.BackBufferCount) << "\n";
    gLoger << " BackBufferFormat" << Text(p.BackBufferFormat) << "\n";
    gLoger << " BackBufferHeight:" << Text(p.BackBufferHeight) << "\n";
    gLoger << " BackBufferWidth:" << Text(p.BackBufferWidth) << "\n";
    gLoger << " EnableAutoDepthStencil:" << Text(uint32_t(p.EnableAutoDepthStencil)) << "\n";
    gLoger << " Flags:" << Text(p.Flags) << "\n";
    gLoger << " FullScreen_RefreshRateInHz:" << Text(p.FullScreen_RefreshRateInHz) << "\n";
    gLoger << " hDeviceWindow:" << window << "\n";
    gLoger << " MultiSampleQuality:" << Text(p.MultiSampleQuality) << "\n";
    gLoger << " MultiSampleType:" << Text(p.MultiSampleType) << "\n";
    gLoger << " PresentationInterval:" << Text(p.PresentationInterval) << "\n";
    gLoger << " SwapEffect:" << Text(p.SwapEffect) << "\n";
    gLoger << " Windowed:" << Text(uint32_t(p.Windowed)) << "\n";
    gLoger << "\n";
}

// --- Loss and reset -----------------------------------------------------------------------------

void SD3D9RenderDevice::TestCooperativeLevel()
{
    TARN_TRY
    HRESULT hr;
    {
        CriticalSectionLock lock(m_Lock.Section());
        hr = m_Device->TestCooperativeLevel();
    }
    if (hr == D3DERR_DEVICELOST) {
        gLoger << GetCurrentDateTime() << " SD3D9RenderDevice TestCooperativeLevel device lost\n";
        Sleep(1000);
        if (!m_Lost && m_LostEvent) m_LostEvent->Invoke();
        m_Lost = true;
    } else if (hr == D3DERR_DEVICENOTRESET) {
        if (!m_ResetAnnounced) {
            // The owner first lets go of what the reset would refuse (render targets) or destroy;
            // the reset follows at the next begin-scene.
            m_ResetAnnounced = true;
            throw SRenderDeviceResetException();
        }
        gLoger << GetCurrentDateTime() << " SD3D9RenderDevice TestCooperativeLevel device not reset Reseting\n";
        if (Reset() == ResetResult::LostAgain) {
            // A passing state: tried again at the next begin-scene.
            gLoger << GetCurrentDateTime() << " " << kLostAgain << "\n";
            m_Lost = true;
            return;
        }
        gLoger << GetCurrentDateTime() << " SD3D9RenderDevice TestCooperativeLevel device not reset reseting done\n";
        m_Lost = false;
        if (m_RestoredEvent) m_RestoredEvent->Invoke();
    }
    TARN_CATCH("SD3D9RenderDevice::TestCooperativeLevel()")
}

SD3D9RenderDevice::ResetResult SD3D9RenderDevice::Reset()
{
    TARN_TRY
    gLoger << GetCurrentDateTime() << " SD3D9RenderDevice Reset\n";
    // Held throughout: another thread may register a font or use the device meanwhile.
    CriticalSectionLock lock(m_Lock.Section());
    for (ID3DXFont* font : m_Fonts) font->OnLostDevice();
    if (m_BackBuffer) m_BackBuffer->Release();
    m_BackBuffer = nullptr;
    LogPresentParameters();
    HRESULT hr = m_Device->Reset(&m_PresentParams);
    gLoger << GetCurrentDateTime() << " SD3D9RenderDevice Reset HRESULT:" << std::to_string(hr) << "\n";
    switch (hr) {
    case D3DERR_DEVICELOST: return ResetResult::LostAgain;
    case D3DERR_DRIVERINTERNALERROR: throw TarnCoreDX9Exception("can't reset D3D9 device(D3DERR_DRIVERINTERNALERROR)");
    case D3DERR_INVALIDCALL: throw TarnCoreDX9Exception("can't reset D3D9 device(D3DERR_INVALIDCALL)");
    case D3DERR_OUTOFVIDEOMEMORY: throw TarnCoreDX9Exception("can't reset D3D9 device(D3DERR_OUTOFVIDEOMEMORY)");
    case E_OUTOFMEMORY: throw TarnCoreDX9Exception("can't reset D3D9 device(E_OUTOFMEMORY)");
    default:
        if (FAILED(hr)) throw TarnCoreDX9Exception("can't reset D3D9 device(UNKNOWN ERROR)");
    }
    // The reset device has no texture bound.
    std::fill(m_StageCache, m_StageCache + kStages, nullptr);
    for (ID3DXFont* font : m_Fonts) font->OnResetDevice();
    SaveBackBuffer();
    // Whoever made it (a loss or a mode switch), the next reset is told again.
    m_ResetAnnounced = false;
    return ResetResult::Done;
    TARN_CATCH("SD3D9RenderDevice::Reset()")
}

void SD3D9RenderDevice::Kill()
{
    TARN_TRY
    gLoger << GetCurrentDateTime() << " SD3D9RenderDevice Kill\n";
    CriticalSectionLock lock(m_Lock.Section());
    if (m_BackBuffer) m_BackBuffer->Release();
    m_BackBuffer = nullptr;
    // The device keeps its Direct3D object alive, so releasing that first is safe.
    if (m_D3D) m_D3D->Release();
    if (m_Device) m_Device->Release();
    m_D3D = nullptr;
    m_Device = nullptr;
    std::fill(m_StageCache, m_StageCache + kStages, nullptr);
    gLoger << GetCurrentDateTime() << " SD3D9RenderDevice Kill done\n";
    TARN_CATCH("SD3D9RenderDevice::Kill()")
}

void SD3D9RenderDevice::DoBeginScene()
{
    TARN_TRY
    TestCooperativeLevel();
    CriticalSectionLock lock(m_Lock.Section());
    // Not looked at: only a lost device refuses a scene, and the next begin-scene's loss check
    // deals with that; until then draws outside a scene are harmless.
    m_Device->BeginScene();
    TARN_CATCH("SD3D9RenderDevice::DoBeginScene()")
}

void SD3D9RenderDevice::EndScene()
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    // Not looked at: a scene that did not begin has nothing to end, and a loss that Present
    // reports is found again by the next begin-scene's loss check.
    m_Device->EndScene();
    m_Device->Present(nullptr, nullptr, nullptr, nullptr);
    TARN_CATCH("SD3D9RenderDevice::EndScene()")
}

void* SD3D9RenderDevice::DoLockDevice()
{
    m_Lock.Enter();
    return m_Device;
}

void SD3D9RenderDevice::DoUnlockDevice() { m_Lock.Leave(); }

uint32_t SD3D9RenderDevice::DoGetWidth() { return m_PresentParams.BackBufferWidth; }
uint32_t SD3D9RenderDevice::DoGetHeight() { return m_PresentParams.BackBufferHeight; }

void SD3D9RenderDevice::RegisterFont(ID3DXFont* font)
{
    CriticalSectionLock lock(m_Lock.Section());
    m_Fonts.push_back(font);
}

void SD3D9RenderDevice::UnregisterFont(ID3DXFont* font)
{
    CriticalSectionLock lock(m_Lock.Section());
    m_Fonts.erase(std::remove(m_Fonts.begin(), m_Fonts.end(), font), m_Fonts.end());
}

void SD3D9RenderDevice::ForgetTexture(const STexture* texture)
{
    CriticalSectionLock lock(m_Lock.Section());
    for (STexture*& cached : m_StageCache)
        if (cached == texture) cached = nullptr;
}

// --- Per-frame operations -----------------------------------------------------------------------

void SD3D9RenderDevice::DoClearScene(uint8_t red, uint8_t green, uint8_t blue)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    m_Device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u | uint32_t(red) << 16 | uint32_t(green) << 8 | blue,
                    0.0f, 0);
    TARN_CATCH("SD3D9RenderDevice::DoClearScene()")
}

void SD3D9RenderDevice::DoClearScene(float z)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    m_Device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, z, 0);
    TARN_CATCH("SD3D9RenderDevice::DoClearScene()")
}

void SD3D9RenderDevice::DoSetTransform(uint32_t type, const SMatrix& matrix)
{
    TARN_TRY
    D3DMATRIX native = ToNative(matrix);
    HRESULT hr;
    {
        CriticalSectionLock lock(m_Lock.Section());
        hr = m_Device->SetTransform(D3DTRANSFORMSTATETYPE(type), &native);
    }
    if (hr == D3DERR_INVALIDCALL) throw TarnCoreDX9Exception("can't set transform INVALIDCALL");
    TARN_CATCH("SD3D9RenderDevice::DoSetTransform()")
}

SMatrix SD3D9RenderDevice::DoGetTransform(uint32_t type)
{
    TARN_TRY
    D3DMATRIX native;
    HRESULT hr;
    {
        CriticalSectionLock lock(m_Lock.Section());
        hr = m_Device->GetTransform(D3DTRANSFORMSTATETYPE(type), &native);
    }
    if (hr == D3DERR_INVALIDCALL) throw TarnCoreDX9Exception("can't get transform INVALIDCALL");
    SMatrix m;
    std::memcpy(m.m, native.m, sizeof m.m);
    return m;
    TARN_CATCH("SD3D9RenderDevice::DoGetTransform()")
}

void SD3D9RenderDevice::SetVertexShader(uint32_t fvf)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    if (FAILED(m_Device->SetFVF(fvf))) throw TarnCoreDX9Exception("can't set vertex shader");
    TARN_CATCH("SD3D9RenderDevice::SetVertexShader()")
}

void SD3D9RenderDevice::DoRender(const boost::shared_ptr<SVertexBuffer>& vertices,
                                 const boost::shared_ptr<SIndexBuffer>& indices, uint32_t startIndex)
{
    TARN_TRY
    SetVertexShader(vertices->DoGetFvf());
    // Counted from the start index, so a draw that starts late stays inside the buffer.
    uint32_t available = indices->m_IndexCount > startIndex ? indices->m_IndexCount - startIndex : 0;
    uint32_t count = PrimitiveCount(vertices->m_PrimitiveType, available);
    if (count == 0) return;
    CriticalSectionLock lock(m_Lock.Section());
    if (FAILED(m_Device->DrawIndexedPrimitive(D3DPRIMITIVETYPE(vertices->m_PrimitiveType), 0, 0,
                                              vertices->m_VertexCount, startIndex, count)))
        throw TarnCoreDX9Exception("can't draw indexed primitive");
    TARN_CATCH("SD3D9RenderDevice::DoRender()")
}

void SD3D9RenderDevice::DoRender(const boost::shared_ptr<SVertexBuffer>& vertices, uint32_t startVertex)
{
    TARN_TRY
    SetVertexShader(vertices->DoGetFvf());
    uint32_t available = vertices->m_VertexCount > startVertex ? vertices->m_VertexCount - startVertex : 0;
    uint32_t count = PrimitiveCount(vertices->m_PrimitiveType, available);
    if (count == 0) return;
    CriticalSectionLock lock(m_Lock.Section());
    if (FAILED(m_Device->DrawPrimitive(D3DPRIMITIVETYPE(vertices->m_PrimitiveType), startVertex, count)))
        throw TarnCoreDX9Exception("can't draw primitive");
    TARN_CATCH("SD3D9RenderDevice::DoRender()")
}

void SD3D9RenderDevice::DoBindVertexBuffer(const boost::shared_ptr<SVertexBuffer>& vertices)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    if (FAILED(m_Device->SetStreamSource(0, static_cast<IDirect3DVertexBuffer9*>(vertices->DoGetNativeBuffer()), 0,
                                         vertices->m_VertexSize)))
        throw TarnCoreDX9Exception("can't bind vertex buffer");
    TARN_CATCH("SD3D9RenderDevice::DoBindVertexBuffer()")
}

void SD3D9RenderDevice::DoBindIndexBuffer(const boost::shared_ptr<SIndexBuffer>& indices)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    if (FAILED(m_Device->SetIndices(static_cast<IDirect3DIndexBuffer9*>(indices->DoGetNativeBuffer()))))
        throw TarnCoreDX9Exception("can't bind index buffer");
    TARN_CATCH("SD3D9RenderDevice::DoBindIndexBuffer()")
}

void SD3D9RenderDevice::DoSetmaterial(const SMaterial& material)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    m_Device->SetRenderState(D3DRS_CULLMODE, material.m_CullMode);
    m_Device->SetRenderState(D3DRS_ALPHABLENDENABLE, DWORD(material.m_AlphaBlend));
    m_Device->SetRenderState(D3DRS_SRCBLEND, material.m_SrcBlend);
    m_Device->SetRenderState(D3DRS_DESTBLEND, material.m_DstBlend);
    if (material.m_FillMode >= D3DFILL_POINT && material.m_FillMode <= D3DFILL_SOLID)
        m_Device->SetRenderState(D3DRS_FILLMODE, material.m_FillMode);
    m_Device->SetRenderState(D3DRS_ZENABLE, material.m_ZWrite ? 1 : 0);
    m_Device->SetRenderState(D3DRS_LIGHTING, DWORD(material.m_Lighting));
    material.ApplyTextureStage1();
    material.ApplyTextureStage2();
    if (material.m_IsFogEnable == 0) {
        m_Device->SetRenderState(D3DRS_FOGENABLE, 0);
    } else {
        m_Device->SetRenderState(D3DRS_FOGENABLE, 1);
        DoSetFog(m_Fog);
    }
    if (material.m_ColorOp >= 1 && material.m_ColorOp <= 26)
        m_Device->SetTextureStageState(0, D3DTSS_COLOROP, material.m_ColorOp);
    if (material.m_AlphaOp >= 1 && material.m_AlphaOp <= 26)
        m_Device->SetTextureStageState(0, D3DTSS_ALPHAOP, material.m_AlphaOp);
    TARN_CATCH("SD3D9RenderDevice::DoSetmaterial()")
}

void SD3D9RenderDevice::DoSetFog(const SFog& fog)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    m_Device->SetRenderState(D3DRS_FOGCOLOR, fog.Colour());
    DWORD mode = fog.m_Linear ? D3DFOG_LINEAR : D3DFOG_EXP;
    m_Device->SetRenderState(fog.m_TableFog > 0 ? D3DRS_FOGTABLEMODE : D3DRS_FOGVERTEXMODE, mode);
    if (fog.m_Linear) {
        m_Device->SetRenderState(D3DRS_FOGSTART, FloatBits(fog.m_Start));
        m_Device->SetRenderState(D3DRS_FOGEND, FloatBits(fog.m_End));
    } else {
        m_Device->SetRenderState(D3DRS_FOGDENSITY, FloatBits(fog.m_Density));
    }
    if (fog.m_TableFog == 0) m_Device->SetRenderState(D3DRS_RANGEFOGENABLE, fog.m_RangeFog);
    TARN_CATCH("SD3D9RenderDevice::DoSetFog()")
}

void SD3D9RenderDevice::DoSetTexture(uint32_t stage, STexture* texture)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    if (m_StageCache[stage] == texture) return;
    if (FAILED(m_Device->SetTexture(stage, static_cast<IDirect3DTexture9*>(texture->DoGetNativeTexture()))))
        throw TarnCoreDX9Exception("can't set texture");
    m_StageCache[stage] = texture;
    TARN_CATCH("SD3D9RenderDevice::DoSetTexture()")
}

void SD3D9RenderDevice::DoSetTextureFiltration(uint32_t stage, const STextureFiltration& filtration)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    DWORD min = D3DTEXF_POINT, mip = D3DTEXF_NONE, mag = D3DTEXF_POINT;
    if (filtration.m_IsBilinear || filtration.m_IsTrilinear || filtration.m_IsAnisotropic) {
        DWORD f = filtration.m_IsAnisotropic ? D3DTEXF_ANISOTROPIC : D3DTEXF_LINEAR;
        min = mag = f;
        mip = filtration.m_IsTrilinear ? D3DTEXF_LINEAR : D3DTEXF_POINT;
    }
    m_Device->SetSamplerState(stage, D3DSAMP_MINFILTER, min);
    m_Device->SetSamplerState(stage, D3DSAMP_MIPFILTER, mip);
    m_Device->SetSamplerState(stage, D3DSAMP_MAGFILTER, mag);
    TARN_CATCH("SD3D9RenderDevice::DoSetTextureFiltration()")
}

void SD3D9RenderDevice::DoSetRenderTarget(STexture* texture)
{
    TARN_TRY
    CriticalSectionLock lock(m_Lock.Section());
    if (texture) {
        IDirect3DSurface9* surface = nullptr;
        IDirect3DTexture9* native = static_cast<IDirect3DTexture9*>(texture->DoGetNativeTexture());
        if (!native || FAILED(native->GetSurfaceLevel(0, &surface)))
            throw TarnCoreDX9Exception("can't set RenderTarget");
        HRESULT hr = m_Device->SetRenderTarget(0, surface);
        surface->Release();
        if (FAILED(hr)) throw TarnCoreDX9Exception("can't set RenderTarget");
    } else if (FAILED(m_Device->SetRenderTarget(0, m_BackBuffer))) {
        throw TarnCoreDX9Exception("can't set NULL RenderTarget");
    }
    TARN_CATCH("SD3D9RenderDevice::DoSetRenderTarget()")
}

void SD3D9RenderDevice::DoSetView()
{
    TARN_TRY
    D3DVIEWPORT9 vp = {m_Viewport.X, m_Viewport.Y, m_Viewport.Width, m_Viewport.Height, m_Viewport.MinZ,
                       m_Viewport.MaxZ};
    CriticalSectionLock lock(m_Lock.Section());
    m_Device->SetViewport(&vp);
    TARN_CATCH("SD3D9RenderDevice::DoSetView()")
}

void SD3D9RenderDevice::DoSetView(bool fullScreen)
{
    TARN_TRY
    BOOL windowed = fullScreen ? FALSE : TRUE;
    if (m_PresentParams.Windowed != windowed) {
        m_PresentParams.Windowed = windowed;
        m_PresentParams.FullScreen_RefreshRateInHz = 0;
        if (fullScreen) {
            m_PresentParams.BackBufferWidth = m_RequestedWidth;
            m_PresentParams.BackBufferHeight = m_RequestedHeight;
            m_PresentParams.PresentationInterval = FindCompatiblePresentationInterval(m_Adapter);
        } else {
            RECT client = {0, 0, 0, 0};
            GetClientRect(m_Window, &client); // zero when unknown: Direct3D then takes the client size
            m_PresentParams.BackBufferWidth = UINT(client.right - client.left);
            m_PresentParams.BackBufferHeight = UINT(client.bottom - client.top);
        }
    }
    if (Reset() == ResetResult::LostAgain) throw TarnCoreDX9Exception(kLostAgain);
    TARN_CATCH("SD3D9RenderDevice::DoSetView()")
}

} // namespace SCore
