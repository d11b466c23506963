#include "game/gameplay/gestures/Painter.h"

#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureLock.h"
#include "engine/core/render/STextureManager.h"
#include "engine/core/render/SViewport.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SSprite.h"
#include "platform/d3d9.h"

static const char* const kTarnSource = "..\\Src\\Painter";

namespace Runegarden {

namespace {

BYTE* Bits(const D3DLOCKED_RECT& locked)
{
    TARN_ASSERT(locked.pBits != 0);
    return static_cast<BYTE*>(locked.pBits);
}

} // namespace

Painter::Painter(const boost::shared_ptr<SCore::SViewport>& viewport)
    : m_Viewport(viewport), m_Width(RGStrokeRaster::kWidth), m_Height(RGStrokeRaster::kHeight),
      m_BytesPerPixel(RGStrokeRaster::kBytesPerPixel)
{
    TARN_TRY
    TARN_ASSERT(0 != m_Viewport.get());
    m_Canvas = m_Viewport->DoCreateTexture("PaintingSprite");
    m_Canvas->SetRenderDevice(m_Viewport->m_RenderDevice);
    m_Canvas->DoCreateEx(m_Width, m_Height, 1, D3DFMT_A8R8G8B8);
    m_Viewport->m_TextureManager->AddTexture(m_Canvas);

    m_Sprite.reset(new TarnEngine::SSprite("Noname sprite", false));
    m_Sprite->Create(m_Viewport);
    m_Sprite->m_Position.X = 0.0f;
    m_Sprite->m_Position.Y = 0.0f;
    m_Sprite->m_Position.Width = 1.0f;
    m_Sprite->m_Position.Height = 1.0f;
    m_Sprite->m_CoordAligment = TarnEngine::SCA_LEFT_TOP;
    m_Sprite->m_Material.m_AlphaBlend = 1;
    m_Sprite->m_Material.m_SrcBlend = 5;   // source alpha
    m_Sprite->m_Material.m_DstBlend = 6;   // inverse source alpha
    m_Sprite->m_Material.m_Texture1 = m_Canvas;
    m_Sprite->m_Cached = false;
    TARN_CATCH("Painter::Painter()")
}

Painter::~Painter() = default;

void Painter::Render(float x, float y)
{
    TARN_TRY
    SCore::STextureLock lock(m_Canvas, 0);
    m_Raster.AddPoint(x, y, Bits(lock.Locked()), lock.Locked().Pitch);
    TARN_CATCH("Painter::Render()")
}

void Painter::Clear()
{
    TARN_TRY
    {
        SCore::STextureLock lock(m_Canvas, 0);
        m_Raster.Clear(Bits(lock.Locked()), lock.Locked().Pitch);
    }
    m_Raster.EndStroke();
    TARN_CATCH("Painter::Clear()")
}

RGStrokeRect Painter::CalculateEffectiveRectangle()
{
    TARN_TRY
    SCore::STextureLock lock(m_Canvas, 0);
    return m_Raster.EffectiveRectangle(Bits(lock.Locked()), lock.Locked().Pitch);
    TARN_CATCH("Painter::CalculateEffectiveRectangle()")
}

const RGStrokeGrid& Painter::GetStrokeGrid(RGStrokeRect& rect)
{
    TARN_TRY
    rect = CalculateEffectiveRectangle();
    const RECT region = {static_cast<LONG>(rect.x), static_cast<LONG>(rect.y),
                         static_cast<LONG>(rect.x + rect.width), static_cast<LONG>(rect.y + rect.height)};
    SCore::STextureLock lock(m_Canvas, 0, &region);
    m_Raster.CopyRows(Bits(lock.Locked()), lock.Locked().Pitch, rect, m_StrokeGrid);
    return m_StrokeGrid;
    TARN_CATCH("Painter::GetStrokeGrid()")
}

void Painter::DrawLine(int x0, int y0, int x1, int y1, const D3DLOCKED_RECT& locked)
{
    TARN_TRY
    m_Raster.DrawLine(x0, y0, x1, y1, Bits(locked), locked.Pitch);
    TARN_CATCH("Painter::DrawLine()")
}

void Painter::PutPixel(int x, int y, const D3DLOCKED_RECT& locked)
{
    m_Raster.PutPixel(x, y, Bits(locked), locked.Pitch);
}

} // namespace Runegarden
