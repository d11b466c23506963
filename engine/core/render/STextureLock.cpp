#include "engine/core/render/STextureLock.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"

namespace SCore {

STextureLock::STextureLock(const boost::shared_ptr<STexture>& texture, uint32_t level, const RECT* rect)
    : m_Texture(texture), m_Level(level), m_Locked()
{
    m_Texture->DoLockRect(level, &m_Locked, rect, 0);
}

STextureLock::~STextureLock()
{
    try {
        m_Texture->DoUnlockRect(m_Level);
    } catch (const TarnCoreException& e) {
        gLoger << GetCurrentDateTime() << " " << e.what() << "\n";
    }
}

} // namespace SCore
