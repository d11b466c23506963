#pragma once
// A screen font on a D3DX font object; registered with its device while it lives so that it
// follows loss and reset.

#include "engine/core/render/SFont.h"
#include "platform/d3dx9.h"

namespace SCore {

class SD3D9RenderDevice;

class SD3D9Font : public SFont {
public:
    ~SD3D9Font() override;
    void DoCreate(const boost::shared_ptr<SRenderDevice>& device) override;
    void DoDrawText(int32_t left, int32_t top, int32_t right, int32_t bottom, const std::string& text, uint32_t colour,
                    uint32_t format) override;
    void DoKill() override;
    ID3DXFont* GetNativeFont() const { return m_Font; }

private:
    boost::shared_ptr<SRenderDevice> m_Device;
    ID3DXFont* m_Font = nullptr;
};

} // namespace SCore
