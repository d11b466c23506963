#include "game/gameplay/gestures/Painter.h"

#include "engine/core/render/STextureLock.h"
#include "engine/core/render/STextureManager.h"
#include "tests/engine/core/render/RenderEngineFixture.h"
#include "tests/game/gameplay/gestures/CanvasPixels.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using Runegarden::Painter;
using Runegarden::RGStrokeGrid;
using Runegarden::RGStrokeRect;

class PainterTest : public RenderEngineTest {
protected:
    void SetUp() override
    {
        RenderEngineTest::SetUp();
        CreateDevice();
        m_Painter.reset(new Painter(m_Viewport));
        m_Painter->Clear();
    }
    void TearDown() override
    {
        m_Painter.reset();
        RenderEngineTest::TearDown();
    }

    Pixels Painted()
    {
        SCore::STextureLock lock(m_Painter->GetCanvas(), 0);
        return PaintedPixels(static_cast<const BYTE*>(lock.Locked().pBits), lock.Locked().Pitch);
    }
    static std::vector<UINT> Fields(const RGStrokeRect& r) { return {r.x, r.y, r.width, r.height}; }

    boost::shared_ptr<Painter> m_Painter;
};

TEST_F(PainterTest, TheCanvasTextureIsMadeOnce)
{
    EXPECT_EQ(m_Painter->GetCanvas(), m_Viewport->m_TextureManager->GetTexture("PaintingSprite"));
    const std::string text = ThrownText([&] { Painter second(m_Viewport); });
    EXPECT_TRUE(StartsWith(text, "can't add texture, because texture with such name is exist:[PaintingSprite]"))
        << text;
    EXPECT_NE(std::string::npos, text.find(" Painter::Painter() ..\\Src\\Painter at:")) << text;
}

TEST_F(PainterTest, StrokeIsInkedIntoTheTextureAndCutOutAsRows)
{
    m_Painter->Render(0.0f, 0.0f);
    m_Painter->Render(0.5f, 0.5f);
    Pixels diagonal;
    for (int i = 0; i <= 128; ++i) diagonal.insert(std::make_pair(i, i));
    EXPECT_EQ(diagonal, Painted());

    RGStrokeRect rect = {9, 9, 9, 9};
    const RGStrokeGrid& grid = m_Painter->GetStrokeGrid(rect);
    EXPECT_EQ(std::vector<UINT>({0, 0, 129, 129}), Fields(rect));
    RGStrokeGrid expected(129, std::vector<unsigned char>(129, 0));
    for (size_t i = 0; i < 129; ++i) expected[i][i] = 255;
    EXPECT_EQ(expected, grid);

    m_Painter->Clear();
    EXPECT_TRUE(Painted().empty());
    EXPECT_EQ(RGStrokeGrid({{0}}), m_Painter->GetStrokeGrid(rect));

    // After Clear the next point starts a new stroke.
    m_Painter->Render(5.0f / 256, 7.0f / 256);
    EXPECT_EQ(RGStrokeGrid({{255}}), m_Painter->GetStrokeGrid(rect));
    EXPECT_EQ(std::vector<UINT>({5, 7, 1, 1}), Fields(m_Painter->CalculateEffectiveRectangle()));
}

TEST_F(PainterTest, FailedLockReportsAndLeavesTheDeviceFree)
{
    m_Painter->Render(0.25f, 0.25f);
    platform::testing::InjectOnce("IDirect3DTexture9::LockRect", E_FAIL);
    const std::string text = ThrownText([&] { m_Painter->Render(0.75f, 0.25f); });
    EXPECT_TRUE(StartsWith(text, "can't lock texture SD3D9Texture::DoLockRect()")) << text;
    EXPECT_NE(std::string::npos, text.find(" Painter::Render() ..\\Src\\Painter at:")) << text;

    // Another thread can take the device, and the stroke goes on from its last point.
    std::thread other([&] { m_Painter->Render(0.25f, 0.5f); });
    other.join();
    Pixels column;
    for (int y = 64; y <= 128; ++y) column.insert(std::make_pair(64, y));
    EXPECT_EQ(column, Painted());
}

} // namespace
