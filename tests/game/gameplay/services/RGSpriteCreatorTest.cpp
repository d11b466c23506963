#include "game/gameplay/services/RGSpriteCreator.h"

#include "tests/game/gameplay/objects/GameObjectFixture.h"

#include <gtest/gtest.h>

namespace {

using Runegarden::RGSpriteCreator;
using tarn_test::StartsWith;
using tarn_test::ThrownText;

TEST_F(GameObjectTest, ATexturedSpriteIsMadeOnTheViewportWithTheStandardMaterial)
{
    boost::shared_ptr<TarnEngine::SSprite> sprite = RGSpriteCreator::CreateTexturedSprite("OBJ_GROUND", false);
    const SCore::SMaterial& material = sprite->m_Material;
    EXPECT_EQ("OBJ_GROUND", sprite->m_Name);
    EXPECT_EQ(m_Viewport, sprite->m_Viewport);
    EXPECT_FALSE(sprite->IsWithTransform());
    EXPECT_EQ(m_Viewport->m_TextureManager->GetTexture("OBJ_GROUND"), material.m_Texture1);
    EXPECT_EQ("1 5 6 0", std::to_string(material.m_AlphaBlend) + " " + std::to_string(material.m_SrcBlend) + " " +
                             std::to_string(material.m_DstBlend) + " " + std::to_string(material.m_ZWrite));
    ASSERT_TRUE(material.m_Filtration1);
    EXPECT_FALSE(material.m_Filtration1->m_IsBilinear || material.m_Filtration1->m_IsTrilinear ||
                 material.m_Filtration1->m_IsAnisotropic);
    EXPECT_EQ(uint32_t(TarnEngine::SCA_LEFT_TOP), sprite->m_CoordAligment);
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
