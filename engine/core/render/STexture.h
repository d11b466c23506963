#pragma once
// A named texture on the render device, with the texture-coordinate transform the animators
// write and the material applies.

#include "engine/core/math/SMatrix.h"
#include "engine/core/render/SResource.h"
#include "engine/core/serialization/STextureLoadParams.h"

#include <boost/shared_ptr.hpp>

struct D3DLOCKED_RECT;
struct RECT;

namespace SCore {

class SRenderDevice;

SMatrix IdentityMatrix();

class STexture : public SResource {
public:
    explicit STexture(const std::string& name) : SResource(SRT_TEXTURE, name), m_TextureMatrix(IdentityMatrix()) {}

    virtual void DoCreate(uint32_t width, uint32_t height, uint32_t colourDepth) = 0;
    virtual void DoCreateEx(uint32_t width, uint32_t height, uint32_t mipLevels, uint32_t format) = 0;
    virtual void DoCreateAsRenderTarget(uint32_t width, uint32_t height) = 0;
    virtual void DoKill() = 0;
    // Holds the device lock until DoUnlockRect; prefer STextureLock, which unlocks on every way out.
    virtual void DoLockRect(uint32_t level, D3DLOCKED_RECT* locked, const RECT* rect, uint32_t flags) = 0;
    virtual void DoUnlockRect(uint32_t level) = 0;
    virtual void* DoGetNativeTexture() = 0;
    virtual void DoLoad(const std::string& file, const STextureLoadParams& params) = 0;
    virtual void DoLoad(const std::string& file) = 0;
    virtual void DoLoadFromMemory(const void* data, uint32_t size, const STextureLoadParams& params) = 0;
    virtual void DoLoadFromMemory(const void* data, uint32_t size) = 0;
    virtual void DoSet(uint32_t stage) = 0;
    virtual void SetTextureTransformation(const SMatrix& matrix, uint32_t stage) = 0;
    virtual void ResetTextureTransformation(uint32_t stage) = 0;
    virtual uint32_t DoGetWidth() = 0;
    virtual uint32_t DoGetHeight() = 0;

    void SetRenderDevice(const boost::shared_ptr<SRenderDevice>& device) { m_RenderDevice = device; }
    // Binds the texture to the device, loads the file and remembers where it came from.
    void LoadFromFile(const boost::shared_ptr<SRenderDevice>& device, const std::string& file)
    {
        SetRenderDevice(device);
        DoLoad(file);
        m_SecondName = file;
    }
    const boost::shared_ptr<SRenderDevice>& GetRenderDevice() const { return m_RenderDevice; }

    std::string m_SecondName;
    SMatrix m_TextureMatrix;
    bool m_TransformEnabled = false;

protected:
    boost::shared_ptr<SRenderDevice> m_RenderDevice;
};

} // namespace SCore
