#include "game/gameplay/services/RGSpriteCreator.h"

#include "engine/core/render/STexture.h"
#include "engine/core/render/STextureManager.h"
#include "engine/framework/drawables/SSprite.h"
#include "tests/engine/core/render/RenderEngineFixture.h"

#include <gtest/gtest.h>

namespace {

using Runegarden::RGSpriteCreator;

class SpriteCreatorTest : public RenderEngineTest {
protected:
    void SetUp() override
    {
        RenderEngineTest::SetUp();
        CreateDevice();
        m_Viewport->m_TextureManager.reset(new SCore::STextureManager);
        boost::shared_ptr<SCore::STexture> texture = m_Viewport->DoCreateTexture("BALL");
        texture->DoCreateEx(4, 4, 1, 21);
        m_Viewport->m_TextureManager->AddTexture(texture);
    }
    void TearDown() override
    {
        RGSpriteCreator::SetViewport(boost::shared_ptr<SCore::SViewport>());
        RenderEngineTest::TearDown();
    }
};

TEST_F(SpriteCreatorTest, SpritesAreMadeOnTheViewportOnceItIsSet)
{
    EXPECT_FALSE(RGSpriteCreator::GetViewport());
    RGSpriteCreator::SetViewport(m_Viewport);
    boost::shared_ptr<TarnEngine::SSprite> plain = RGSpriteCreator::CreateSprite(true);
    EXPECT_EQ("", plain->m_Name);
    EXPECT_TRUE(plain->IsWithTransform());
    EXPECT_EQ(m_Viewport, plain->m_Viewport);
    EXPECT_FALSE(plain->m_Material.m_Texture1);

    boost::shared_ptr<TarnEngine::SSprite> sprite = RGSpriteCreator::CreateTexturedSprite("BALL", false);
    const SCore::SMaterial& material = sprite->m_Material;
    EXPECT_EQ("BALL", sprite->m_Name);
    EXPECT_FALSE(sprite->IsWithTransform());
    EXPECT_EQ(m_Viewport->m_TextureManager->GetTexture("BALL"), material.m_Texture1);
    EXPECT_EQ("1 5 6 0", std::to_string(material.m_AlphaBlend) + " " + std::to_string(material.m_SrcBlend) + " " +
                             std::to_string(material.m_DstBlend) + " " + std::to_string(material.m_ZWrite));
    ASSERT_TRUE(material.m_Filtration1);
    EXPECT_FALSE(material.m_Filtration1->m_IsBilinear || material.m_Filtration1->m_IsTrilinear ||
                 material.m_Filtration1->m_IsAnisotropic);
    EXPECT_EQ(uint32_t(TarnEngine::SCA_LEFT_TOP), sprite->m_CoordAligment);
    EXPECT_TRUE(StartsWith(ThrownText([] { RGSpriteCreator::CreateTexturedSprite("NONE", true); }),
                           "can't find texture:NONE"));
}

TEST(SpriteAlignmentTest, FractionsSnapToThePixelGrid)
{
    EXPECT_EQ(-0.00048828125f, Runegarden::AlignToTexel(1024, 0.0f));
    EXPECT_EQ(255.5f / 1024, Runegarden::AlignToTexel(1024, 0.25f));
    EXPECT_EQ(337.5f / 1024, Runegarden::AlignToTexel(1024, 0.33056640625f));
    EXPECT_EQ(0.5f, Runegarden::AlignToPixel(768, 0.5f));
    EXPECT_EQ(0.25f, Runegarden::AlignToPixel(1024, 0.2500001f));
    EXPECT_EQ(0.0f, Runegarden::AlignToPixel(1024, -0.0001f)); // toward zero
}

} // namespace
