// The background: items appear once their delay has passed and scroll with the view without
// changing their stored place.
#include "game/gameplay/world/RGBackGround.h"
#include "tests/game/gameplay/world/WorldFixture.h"
#include "platform/testing_render.h"

using namespace Runegarden;
namespace pt = platform::testing;

namespace {

std::string Item(const std::string& delay, const std::string& texture)
{
    return "<Item" + delay + ">" + SpriteXml(texture) + "</Item>";
}

class RGBackGroundTest : public WorldTest {
protected:
    boost::shared_ptr<RGBackGround> Read(const std::string& items)
    {
        boost::shared_ptr<RGBackGround> background(new RGBackGround);
        ReadInto(*background, "<BackGround>" + items + "</BackGround>");
        return background;
    }
    static size_t DrawsAt(RGBackGround& background, uint32_t ms, const SCore::SVector3& offset = SCore::SVector3())
    {
        pt::SetFakeTime(background.GetStartTime() + ms);
        pt::ClearRenderCalls();
        background.Update(offset);
        return pt::RenderCalls("DrawIndexedPrimitive").size();
    }
};

} // namespace

TEST_F(RGBackGroundTest, AVisibleItemIsDrawnShiftedOnceMoreWholeSecondsThanItsDelayHavePassed)
{
    auto background = Read(Item(" TimeDelay=\"3\"", "BG_SKY") + Item("", "BG_HILLS") + Item("", "BG_HILLS"));
    background->GetItems()[2].m_Sprite->m_Enabled = false;
    EXPECT_EQ(0u, DrawsAt(*background, 999));
    EXPECT_EQ(1u, DrawsAt(*background, 3999));
    EXPECT_EQ(2u, DrawsAt(*background, 4000, {-0.5f, -0.25f, 0.0f}));
    // Drawn at the offset, the stored place stays.
    EXPECT_FLOAT_EQ(0.5f, background->GetItems()[0].m_Sprite->m_Position.X);
    EXPECT_FLOAT_EQ(0.25f, background->GetItems()[0].m_Sprite->m_Position.Y);
}
