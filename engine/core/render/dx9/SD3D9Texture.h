#pragma once
// A texture on the Direct3D 9 device, made empty, as a render target, or from an image.

#include "engine/core/render/STexture.h"
#include "platform/d3d9.h"

namespace SCore {

class SD3D9Texture : public STexture {
public:
    explicit SD3D9Texture(const std::string& name) : STexture(name), m_Desc() {}
    ~SD3D9Texture() override;

    void DoCreate(uint32_t width, uint32_t height, uint32_t colourDepth) override;
    void DoCreateEx(uint32_t width, uint32_t height, uint32_t mipLevels, uint32_t format) override;
    void DoCreateAsRenderTarget(uint32_t width, uint32_t height) override;
    void DoKill() override;
    void DoLockRect(uint32_t level, D3DLOCKED_RECT* locked, const RECT* rect, uint32_t flags) override;
    void DoUnlockRect(uint32_t level) override;
    void* DoGetNativeTexture() override { return m_Texture; }
    void DoLoad(const std::string& file, const STextureLoadParams& params) override;
    void DoLoad(const std::string& file) override;
    void DoLoadFromMemory(const void* data, uint32_t size, const STextureLoadParams& params) override;
    void DoLoadFromMemory(const void* data, uint32_t size) override;
    void DoSet(uint32_t stage) override;
    void SetTextureTransformation(const SMatrix& matrix, uint32_t stage) override;
    void ResetTextureTransformation(uint32_t stage) override;
    uint32_t DoGetWidth() override { return m_Desc.Width; }
    uint32_t DoGetHeight() override { return m_Desc.Height; }
    const D3DSURFACE_DESC& GetDesc() const { return m_Desc; }

private:
    void FillSurface0Desc();
    // Before a create or load: the previous native texture goes, and the device forgets it.
    void Release();

    IDirect3DTexture9* m_Texture = nullptr;
    D3DSURFACE_DESC m_Desc;
};

} // namespace SCore
