#pragma once
// Keeps one texture level locked (and so the device lock held) for its own lifetime: the level is
// unlocked on every way out, exceptions included.

#include "engine/core/render/STexture.h"
#include "platform/d3d9.h"

namespace SCore {

class STextureLock {
public:
    STextureLock(const boost::shared_ptr<STexture>& texture, uint32_t level = 0, const RECT* rect = nullptr);
    ~STextureLock();
    STextureLock(const STextureLock&) = delete;
    STextureLock& operator=(const STextureLock&) = delete;
    const D3DLOCKED_RECT& Locked() const { return m_Locked; }

private:
    boost::shared_ptr<STexture> m_Texture;
    uint32_t m_Level;
    D3DLOCKED_RECT m_Locked;
};

} // namespace SCore
