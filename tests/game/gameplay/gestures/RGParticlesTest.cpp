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
        m_Animator.reset(new SCore::STextureAnimatorFrame("particle", 6, 6));
        m_Animator->SetTexture(texture);
        m_Sprite.reset(new TarnEngine::SSprite("particle", false));
        m_Sprite->Create(m_Viewport);
        m_Sprite->m_Position = {0.0f, 0.0f, 0.05f, 0.05f};
        m_Sprite->m_Material.m_Texture1 = texture;
        m_Sprite->m_Material.SetAnimator1(m_Animator);
        m_Particles.reset(new RGParticles(m_Sprite));
        platform::testing::ClearRenderCalls();
    }
    size_t Draws() { return platform::testing::RenderCalls("DrawIndexedPrimitive").size(); }

    boost::shared_ptr<SCore::STextureAnimatorFrame> m_Animator;
    boost::shared_ptr<TarnEngine::SSprite> m_Sprite;
    boost::shared_ptr<RGParticles> m_Particles;
};

TEST_F(RGParticlesTest, DrawsOneParticleAtEachTrailPlaceUnlessTheSpriteIsDisabled)
{
    const RGStrokeGrid row(1, std::vector<unsigned char>(30, 255));
    m_Particles->Render(row, 5, 7);
    EXPECT_EQ(4u, Draws());
    EXPECT_EQ(5.0f / 256 + 27.0f / 256, m_Sprite->m_Position.X);
    EXPECT_EQ(7.0f / 256, m_Sprite->m_Position.Y);
    EXPECT_EQ(1.0f / 36 + 1.0f / 36 + 1.0f / 36, m_Animator->m_Phase);

    m_Sprite->m_Enabled = false;
    m_Particles->Render(row, 0, 0);
    EXPECT_EQ(4u, Draws()) << "moved, but not drawn";
    EXPECT_EQ(27.0f / 256, m_Sprite->m_Position.X);
}

} // namespace
