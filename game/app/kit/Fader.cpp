#include "game/app/kit/Fader.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/render/STextureLock.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/dx9/SD3D9Texture.h"
#include "platform/win32.h"

static const char* const kTarnSource = "..\\Src\\Fader";

namespace Runegarden {

Fader::Fader(const boost::shared_ptr<SCore::SViewport>& viewport)
    : m_State(FS_BLACK), m_Viewport(viewport), m_StartTime(0), m_Duration(0.0f), m_Alpha(255)
{
    CreateSprite();
}

void Fader::CreateSprite()
{
    TARN_TRY
    boost::shared_ptr<SCore::STexture> black = m_Viewport->m_TextureManager->GetTexture("BLACK");
    // The alpha is written texel by texel: anything but a 32-bit texture would be overrun.
    const SCore::SD3D9Texture* d3d = dynamic_cast<const SCore::SD3D9Texture*>(black.get());
    if (!d3d || d3d->GetDesc().Format != D3DFMT_A8R8G8B8 || d3d->GetDesc().Width * d3d->GetDesc().Height < 4)
        throw SCore::TarnCoreException("texture BLACK must be a 32-bit texture");

    m_Sprite.reset(new TarnEngine::SSprite("fader sprite", false));
    m_Sprite->Create(m_Viewport);
    SCore::SMaterial& material = m_Sprite->m_Material;
    material.m_Texture1 = black;
    material.m_AlphaBlend = 1;
    material.m_SrcBlend = 5;
    material.m_DstBlend = 6;
    material.m_ZWrite = 0;
    m_Sprite->m_CoordAligment = TarnEngine::SCA_LEFT_TOP;
    m_Sprite->m_Position = SCore::SRect{0.0f, 0.0f, 0.999f, 0.999f};
    m_Sprite->m_Cached = false;
    TARN_CATCH("Fader::CreateSprite()")
}

void Fader::Render()
{
    TARN_TRY
    // Drawn even when clear: the splash writes its own alpha into "BLACK", and its fades are
    // designed as the fader's layer over its own.
    m_Sprite->Draw();
    TARN_CATCH("Fader::Render()")
}

void Fader::FadeIn(float seconds)
{
    TARN_TRY
    Start(FS_FADINGIN, 0, seconds);
    TARN_CATCH("Fader::FadeIn()")
}

void Fader::FadeOut(float seconds)
{
    TARN_TRY
    Start(FS_FADINGOUT, 255, seconds);
    TARN_CATCH("Fader::FadeOut()")
}

void Fader::Start(FaderState state, int32_t alpha, float seconds)
{
    m_Duration = seconds;
    m_StartTime = timeGetTime();
    m_State = state;
    WriteAlpha(alpha);
}

void Fader::Update()
{
    TARN_TRY
    if (m_State == FS_FADINGIN) UpdateIn();
    else if (m_State == FS_FADINGOUT) UpdateOut();
    TARN_CATCH("Fader::Update()")
}

void Fader::UpdateIn()
{
    TARN_TRY
    const float t = Elapsed();
    if (t >= m_Duration) {
        WriteAlpha(255);
        m_State = FS_BLACK;
    } else {
        WriteAlpha(static_cast<int32_t>(255.0f * t / m_Duration));
    }
    TARN_CATCH("Fader::UpdateIn()")
}

void Fader::UpdateOut()
{
    TARN_TRY
    const float t = Elapsed();
    if (t >= m_Duration) {
        WriteAlpha(0);
        m_State = FS_CLEAR;
    } else {
        WriteAlpha(static_cast<int32_t>(255.0f * (m_Duration - t) / m_Duration));
    }
    TARN_CATCH("Fader::UpdateOut()")
}

float Fader::Elapsed() const
{
    return static_cast<float>(static_cast<uint32_t>(timeGetTime() - m_StartTime)) * 0.001f;
}

void Fader::WriteAlpha(int32_t alpha)
{
    WriteBlackAlpha(m_Sprite->m_Material.m_Texture1, alpha);
    m_Alpha = alpha;
}

void Fader::WriteBlackAlpha(const boost::shared_ptr<SCore::STexture>& texture, int32_t alpha)
{
    const SCore::SD3D9Texture& d3d = dynamic_cast<const SCore::SD3D9Texture&>(*texture);
    const uint32_t colour = static_cast<uint32_t>(alpha) << 24;
    SCore::STextureLock lock(texture);
    uint8_t* row = static_cast<uint8_t*>(lock.Locked().pBits);
    for (uint32_t y = 0; y < d3d.GetDesc().Height; ++y, row += lock.Locked().Pitch) {
        uint32_t* texel = reinterpret_cast<uint32_t*>(row);
        for (uint32_t x = 0; x < d3d.GetDesc().Width; ++x) texel[x] = colour;
    }
}

} // namespace Runegarden
