#include "game/gameplay/gestures/RGParticles.h"

#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureAnimatorFrame.h"
#include "engine/framework/drawables/SSprite.h"
#include "tests/engine/core/render/RenderEngineFixture.h"
#include "platform/testing_render.h"

#include <gtest/gtest.h>

namespace {

using Runegarden::RGParticles;
using Runegarden::RGStrokeGrid;

class RGParticlesTest : public RenderEngineTest {
protected:
    void SetUp() override
    {
        RenderEngineTest::SetUp();
        CreateDevice();
        boost::shared_ptr<SCore::STexture> texture = m_Viewport->DoCreateTexture("Particle");
        texture->DoCreateEx(64, 64, 1, 21);
        m_Animator->SetTexture(texture);
        m_Sprite->Create(m_Viewport);
        m_Sprite->m_Position = {0.0f, 0.0f, 0.05f, 0.05f};
        m_Sprite->m_Material.m_Texture1 = texture;
        m_Sprite->m_Material.SetAnimator1(m_Animator);
        platform::testing::ClearRenderCalls();
    }
    boost::shared_ptr<SCore::STextureAnimatorFrame> m_Animator{new SCore::STextureAnimatorFrame("particle", 6, 6)};
    boost::shared_ptr<TarnEngine::SSprite> m_Sprite{new TarnEngine::SSprite("particle", false)};
};

TEST_F(RGParticlesTest, DrawsOneParticleAtEachTrailPlaceUnlessTheSpriteIsDisabled)
{
    RGParticles particles(m_Sprite);
    const RGStrokeGrid row(1, std::vector<unsigned char>(30, 255));
    particles.Render(row, 5, 7);
    EXPECT_EQ(4u, platform::testing::RenderCalls("DrawIndexedPrimitive").size());
    // Left at the last of the places 0, 9, 18 and 27 with the third phase step.
    EXPECT_EQ(std::vector<float>({5.0f / 256 + 27.0f / 256, 7.0f / 256, 1.0f / 36 + 1.0f / 36 + 1.0f / 36}),
              std::vector<float>({m_Sprite->m_Position.X, m_Sprite->m_Position.Y, m_Animator->m_Phase}));
    m_Sprite->m_Enabled = false;
    particles.Render(row, 0, 0);
    EXPECT_EQ(4u, platform::testing::RenderCalls("DrawIndexedPrimitive").size()) << "moved, but not drawn";
    EXPECT_EQ(27.0f / 256, m_Sprite->m_Position.X);
}

} // namespace
