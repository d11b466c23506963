#include "engine/core/render/dx9/SD3D9Font.h"

#include "engine/core/base/TarnCoreDX9Exception.h"
#include "engine/core/render/dx9/SD3D9RenderDevice.h"

#include <cstring>

static const char* const kTarnSource = "Src\\dx9\\SD3D9Font";

namespace SCore {

SD3D9Font::~SD3D9Font() { DoKill(); }

void SD3D9Font::DoCreate(const boost::shared_ptr<SRenderDevice>& device)
{
    TARN_TRY
    DoKill();
    LOGFONTA desc;
    std::memset(&desc, 0, sizeof desc);
    desc.lfHeight = 32;
    desc.lfWeight = 700;
    desc.lfCharSet = DEFAULT_CHARSET;
    desc.lfQuality = ANTIALIASED_QUALITY;
    std::strcpy(desc.lfFaceName, "Arial");
    SRenderDeviceLock lock(*device);
    HRESULT hr = D3DXCreateFontIndirectA(static_cast<IDirect3DDevice9*>(lock.Native()), &desc, &m_Font);
    if (FAILED(hr) || !m_Font) {
        m_Font = nullptr; // nothing registered: a reset never reaches a font that does not exist
        throw TarnCoreDX9Exception("can't create font");
    }
    m_Device = device;
    if (SD3D9RenderDevice* d3d9 = dynamic_cast<SD3D9RenderDevice*>(device.get())) d3d9->RegisterFont(m_Font);
    TARN_CATCH("SD3D9Font::DoCreate")
}

void SD3D9Font::DoDrawText(int32_t left, int32_t top, int32_t right, int32_t bottom, const std::string& text,
                           uint32_t colour, uint32_t format)
{
    TARN_TRY
    if (!m_Font) return;
    RECT rect = {left, top, right, bottom};
    SRenderDeviceLock lock(*m_Device);
    m_Font->Begin();
    m_Font->DrawTextA(text.c_str(), -1, &rect, format, colour);
    m_Font->End();
    TARN_CATCH("SD3D9Font::DoDrawText")
}

void SD3D9Font::DoKill()
{
    if (!m_Font) return;
    if (SD3D9RenderDevice* d3d9 = dynamic_cast<SD3D9RenderDevice*>(m_Device.get())) d3d9->UnregisterFont(m_Font);
    m_Font->Release();
    m_Font = nullptr;
}

} // namespace SCore
