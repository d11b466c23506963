#include "engine/core/render/STextureManager.h"

#include "engine/core/render/STexture.h"
#include "engine/core/base/TarnCoreException.h"

static const char* const kTarnSource = "Src\\STextureManager";

namespace SCore {

STextureManager::STextureManager() { AddTextureGroup("default"); }

boost::shared_ptr<STexture> STextureManager::DoGetTexture(const std::string& name)
{
    TARN_TRY
    std::lock_guard<std::recursive_mutex> guard(m_Lock);
    auto it = m_Textures.find(name);
    if (it == m_Textures.end()) throw TarnCoreException("can't find texture:" + name);
    return it->second.texture;
    TARN_CATCH("STextureManager::DoGetTexture()")
}

void STextureManager::AddTexture(const boost::shared_ptr<STexture>& texture)
{
    TARN_TRY
    TARN_ASSERT(texture.get() != 0);
    std::lock_guard<std::recursive_mutex> guard(m_Lock);
    const std::string& name = texture->GetName();
    if (m_Textures.count(name))
        throw TarnCoreException("can't add texture, because texture with such name is exist:[" + name + "]");
    m_Textures[name] = Entry{texture, "default"};
    TARN_CATCH("STextureManager::AddTexture()")
}

bool STextureManager::ContainsTexture(const std::string& name)
{
    std::lock_guard<std::recursive_mutex> guard(m_Lock);
    return m_Textures.count(name) != 0;
}

void STextureManager::AddTextureGroup(const std::string& name)
{
    TARN_TRY
    std::lock_guard<std::recursive_mutex> guard(m_Lock);
    if (!m_Groups.insert(name).second)
        throw TarnCoreException("can't add texture group, because texture group with such name is exist:[" + name +
                                "]");
    TARN_CATCH("STextureManager::AddTextureGroup()")
}

bool STextureManager::ContainsTextureGroup(const std::string& name)
{
    std::lock_guard<std::recursive_mutex> guard(m_Lock);
    return m_Groups.count(name) != 0;
}

void STextureManager::ForEachTexture(const std::function<void(const boost::shared_ptr<STexture>&)>& visit)
{
    std::lock_guard<std::recursive_mutex> guard(m_Lock);
    for (const auto& entry : m_Textures) visit(entry.second.texture);
}

} // namespace SCore
