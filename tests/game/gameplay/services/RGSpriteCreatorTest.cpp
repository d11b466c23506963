#include "game/gameplay/services/RGSpriteCreator.h"

#include <gtest/gtest.h>

namespace {

TEST(SpriteAlignmentTest, FractionsSnapToThePixelGrid)
{
    EXPECT_EQ(-0.00048828125f, Runegarden::AlignToTexel(1024, 0.0f));
    EXPECT_EQ(337.5f / 1024, Runegarden::AlignToTexel(1024, 0.33056640625f));
    EXPECT_EQ(0.5f, Runegarden::AlignToPixel(768, 0.5f));
    EXPECT_EQ(0.25f, Runegarden::AlignToPixel(1024, 0.2500001f));
    EXPECT_EQ(0.0f, Runegarden::AlignToPixel(1024, -0.0001f)); // toward zero
}

} // namespace
