#include "game/app/screens/RGSplash.h"

#include "engine/core/base/SLoger.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/STextureFiltration.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/SViewport.h"
#include "game/app/kit/Fader.h"
#include "game/gameplay/services/RGSpriteCreator.h"
#include "platform/files.h"
#include "platform/win32.h"

#include <algorithm>
#include <cmath>
#include <functional>

static const char* const kTarnSource = "..\\Src\\RGSplash";

namespace Runegarden {

RGSplash::RGSplash() : m_StartTime(0), m_Finished(false), m_PictureTime(4000), m_ShownPicture(-1), m_OverlayAlpha(0)
{
    Create();
}

void RGSplash::Create()
{
    TARN_TRY
    m_Picture = RGSpriteCreator::CreateSprite(true);
    m_Picture->m_Material.m_AlphaBlend = 0;
    m_Picture->m_Material.m_ZWrite = 0;
    m_Picture->m_Material.m_Filtration1.reset(new SCore::STextureFiltration);
    m_Picture->m_Position = SCore::SRect{0.0f, 0.0f, 1.0f, 1.0f};
    m_Picture->m_CoordAligment = TarnEngine::SCA_LEFT_TOP;
    m_Picture->m_TexCoords = SCore::SRect{0.0f, 0.0f, 1.0f, 0.75f};

    m_Black = RGSpriteCreator::CreateSprite(true);
    m_Black->m_Material.m_Texture1 = RGSpriteCreator::GetViewport()->m_TextureManager->GetTexture("BLACK");
    m_Black->m_Material.m_AlphaBlend = 1;
    m_Black->m_Material.m_SrcBlend = 5;
    m_Black->m_Material.m_DstBlend = 6;
    m_Black->m_Material.m_ZWrite = 0;
    m_Black->m_Position = SCore::SRect{0.0f, 0.0f, 0.999f, 0.999f};
    m_Black->m_CoordAligment = TarnEngine::SCA_LEFT_TOP;

    std::vector<std::wstring> folder;
    FindFiles(folder, L"splash\\", L"splash\\*.*");
    std::sort(folder.begin(), folder.end());
    std::vector<std::wstring> pictures;
    FindFiles(pictures, L"fsdata\\", L"fsdata\\splash*.jpg");
    std::sort(pictures.begin(), pictures.end(), std::greater<std::wstring>());
    m_Files = pictures;
    m_Files.insert(m_Files.end(), folder.begin(), folder.end());
    m_Bottoms.assign(pictures.size(), 1.0f);
    m_Bottoms.insert(m_Bottoms.end(), folder.size(), 0.75f);
    TARN_CATCH("RGSplash::Create()")
}

void RGSplash::FindFiles(std::vector<std::wstring>& list, const std::wstring& folder, const std::wstring& pattern)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        // Folders (also "." and "..") are no pictures.
        if (name != L"." && name != L".." && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            list.push_back(folder + name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void RGSplash::LoadTextures()
{
    TARN_TRY
    m_Textures.clear();
    m_TextureBottoms.clear();
    const boost::shared_ptr<SCore::SViewport> viewport = RGSpriteCreator::GetViewport();
    for (size_t i = 0; i < m_Files.size(); ++i) {
        std::string path;
        for (wchar_t c : m_Files[i]) path.push_back(static_cast<char>(c & 0xFF));
        boost::shared_ptr<SCore::STexture> texture = viewport->CreateTexture("splash");
        try {
            texture->LoadFromFile(viewport->m_RenderDevice, path);
        } catch (const SCore::TarnCoreException& e) {
            gLoger << SCore::GetCurrentDateTime() << (" splash picture skipped: " + std::string(e.what()) + "\n");
            continue;
        }
        m_Textures.push_back(texture);
        m_TextureBottoms.push_back(m_Bottoms[i]);
    }
    m_StartTime = timeGetTime();
    m_Finished = false;
    TARN_CATCH("RGSplash::LoadTextures()")
}

void RGSplash::Render()
{
    TARN_TRY
    const uint32_t e = static_cast<uint32_t>(timeGetTime() - m_StartTime);
    const uint32_t i = e / m_PictureTime;
    const size_t n = m_Textures.size();
    if (n == 0 || i > n - 1) {
        m_Finished = true;
        m_ShownPicture = -1;
        return;
    }
    m_Picture->m_Material.m_Texture1 = m_Textures[i];
    m_Picture->m_TexCoords.Height = m_TextureBottoms[i];
    m_Picture->m_Cached = false;
    m_Picture->Draw();

    int32_t alpha = 0;
    if (i != n - 1) {
        const float f = static_cast<float>(e - m_PictureTime * i) / static_cast<float>(m_PictureTime);
        const float v = std::min(5.0f * std::sin(3.14f * f), 1.0f);
        alpha = static_cast<int32_t>(255.0f - 255.0f * v);
    }
    Fader::WriteBlackAlpha(m_Black->m_Material.m_Texture1, alpha);
    m_Black->Draw();
    m_ShownPicture = static_cast<int32_t>(i);
    m_OverlayAlpha = alpha;
    TARN_CATCH("RGSplash::Render()")
}

} // namespace Runegarden
