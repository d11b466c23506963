// The tutorial script: each command, the waits and branches, and the tool tip's font.
#include "engine/framework/drawables/SSpriteTransition.h"
#include "engine/framework/drawables/STextureFont.h"
#include "engine/framework/drawables/SVertices.h"
#include "engine/framework/ui/SUIToolTip.h"
#include "game/gameplay/levels/RGLevelTrainer.h"
#include "game/gameplay/services/RGFontMetrics.h"
#include "tests/game/gameplay/world/WorldFixture.h"
#include "tests/support/LogCapture.h"

using namespace Runegarden;
using TarnEngine::STS_FADE_IN;
using TarnEngine::STS_FADE_OUT;
using TarnEngine::STS_HIDDEN;

namespace {

class TrainerTest : public WorldTest {
protected:
    // A trainer over the commands (each an element's attributes and children), started.
    boost::shared_ptr<RGLevelTrainer> Start(const std::vector<std::string>& commands)
    {
        std::string text = "<LevelTrainer>";
        for (const std::string& c : commands) {
            const size_t body = c.find('>');
            text += body == std::string::npos ? "<C " + c + "></C>" : "<C " + c + "</C>";
        }
        tarn_test::WriteBytes(m_Dir.File("help.xml"), text + "</LevelTrainer>");
        boost::shared_ptr<RGLevelTrainer> trainer(new RGLevelTrainer);
        trainer->Deserialize(m_Dir.WFile("help.xml"));
        trainer->Start();
        return trainer;
    }
    static std::string Spell(const std::string& spell, const std::string& id = "")
    {
        return "Type=\"RGLevelTrainerCommandWaitSpell\"" + (id.empty() ? "" : " ID=\"" + id + "\"") + " Spell=\"" +
               spell + "\" DoneID=\"A\" ErrorID=\"B\"";
    }
    static std::string Tip(const std::string& id) { return "Type=\"RGLevelTrainerCommandShowToolTip\" ID=\"" + id + "\" Text=\"" + id + "\""; }

};

const std::string kTeacher = "Type=\"RGLevelTrainerCommandShowTeacher\" X=\"0.5\" Y=\"0.5\"";

} // namespace

TEST_F(TrainerTest, ShowAndHideCommandsFadeTheirSpritesOneCommandPerFrame)
{
    tarn_test::LogCapture log;
    auto trainer = Start({"Type=\"RGLevelTrainerCommandShowArrow\" X=\"0.3\" Y=\"0.4\" Angle=\"1.57\"",
                          "Type=\"RGLevelTrainerCommandHideArrow\"", kTeacher, "Type=\"RGLevelTrainerCommandHideTeacher\"",
                          "Type=\"RGLevelTrainerCommandShowSprite\" Name=\"gesture\">" + SpriteXml("GESTUREWALL"),
                          "Type=\"RGLevelTrainerCommandHideSprite\" Name=\"gesture\"",
                          "Type=\"RGLevelTrainerCommandHideSprite\" Name=\"ghost\""});
    EXPECT_EQ(STS_FADE_IN, trainer->GetArrowFade()->m_TransitionState);
    trainer->Update();
    EXPECT_EQ(STS_FADE_OUT, trainer->GetArrowFade()->m_TransitionState);
    trainer->Update();
    EXPECT_EQ(STS_FADE_IN, trainer->GetTeacherFade()->m_TransitionState);
    EXPECT_FLOAT_EQ(0.49951172f, trainer->GetTeacher()->m_Position.X); // on the 1024 x 768 grid
    EXPECT_EQ(4u, trainer->GetTeacher()->m_Material.m_AlphaOp); // modulated, so a hidden teacher is gone
    trainer->Update();
    EXPECT_EQ(STS_FADE_OUT, trainer->GetTeacherFade()->m_TransitionState);
    trainer->Update();
    ASSERT_TRUE(trainer->GetSpriteFade("gesture"));
    EXPECT_EQ(STS_FADE_IN, trainer->GetSpriteFade("gesture")->m_TransitionState);
    EXPECT_EQ(4u, trainer->GetSpriteFade("gesture")->GetSprite()->m_Material.m_AlphaOp);
    trainer->Update();
    EXPECT_EQ(STS_FADE_OUT, trainer->GetSpriteFade("gesture")->m_TransitionState);
    EXPECT_FALSE(trainer->IsDone());
    trainer->Update(); // a sprite never shown: logged, and the script goes on to its end
    EXPECT_NE(std::string::npos, log.Text().find("no sprite named [ghost]"));
    EXPECT_TRUE(trainer->IsDone());
}

TEST_F(TrainerTest, AScriptRunToItsEndPlaysAgainFromItsFirstCommandWhenRestarted)
{
    auto trainer = Start({kTeacher, "Type=\"RGLevelTrainerCommandHideTeacher\""});
    trainer->Update();
    ASSERT_TRUE(trainer->IsDone());
    trainer->Restart();
    EXPECT_FALSE(trainer->IsDone());
    EXPECT_EQ(STS_HIDDEN, trainer->GetTeacherFade()->m_TransitionState);
    trainer->Update();
    EXPECT_EQ(STS_FADE_IN, trainer->GetTeacherFade()->m_TransitionState) << "the teacher comes back";
    EXPECT_EQ(1u, trainer->GetCurrentIndex());
}

TEST_F(TrainerTest, AStrokeThatBecameNoCastTakesTheErrorBranch)
{
    auto trainer = Start({Spell("RGTT_BRIDGE"), Tip("A"), Tip("B")});
    trainer->OnSpellError();
    trainer->Update();
    EXPECT_EQ(2u, trainer->GetCurrentIndex());
}

TEST_F(TrainerTest, ACastReachesEveryListenerAndAnEarlierWaitJumpsAtOnceWhenReturnedTo)
{
    auto trainer = Start({Spell("RGTT_WALL", "first"), Tip("A"), Spell("RGTT_BRIDGE"), Tip("B"),
                          "Type=\"RGLevelTrainerCommandJump\" ID=\"back\" CommandID=\"first\""});
    trainer->OnSpell(RGTT_WALL);
    trainer->Update(); // first jumps to A
    trainer->Update(); // A shown, on to the second wait
    trainer->Update(); // the second wait listens from now on
    EXPECT_EQ(2u, trainer->GetCurrentIndex());
    trainer->OnSpell(RGTT_WALL); // the second wants a bridge: B; the first takes A again
    trainer->Update();
    EXPECT_EQ(3u, trainer->GetCurrentIndex());
    trainer->JumpToCommand("first");
    trainer->Update();
    EXPECT_EQ(1u, trainer->GetCurrentIndex());
}

TEST_F(TrainerTest, WaitMapMoveGoesOnOnlyWhenTheLastScrollWentItsWay)
{
    auto trainer = Start({"Type=\"RGLevelTrainerCommandWaitMapMove\" MoveType=\"UP\"", kTeacher});
    trainer->OnMapMove(RGMMT_UP);
    trainer->OnMapMove(RGMMT_LEFT);
    trainer->Update();
    EXPECT_EQ(0u, trainer->GetCurrentIndex());
    trainer->OnMapMove(RGMMT_UP);
    trainer->Update();
    EXPECT_EQ(1u, trainer->GetCurrentIndex());
}

TEST_F(TrainerTest, AJumpToAMissingIdStopsTheScriptWithoutEndingIt)
{
    auto trainer = Start({"Type=\"RGLevelTrainerCommandJump\" CommandID=\"nowhere\"", kTeacher});
    for (int frame = 0; frame < 3; ++frame) trainer->Update();
    EXPECT_EQ(2u, trainer->GetCurrentIndex());
    EXPECT_FALSE(trainer->IsDone());
    EXPECT_EQ(STS_HIDDEN, trainer->GetTeacherFade()->m_TransitionState);
}

TEST_F(TrainerTest, ClearingTheCommandsAlsoForgetsTheirListeners)
{
    auto trainer = Start({"Type=\"RGLevelTrainerCommandWaitMapMove\" MoveType=\"UP\"", Spell("RGTT_WALL")});
    ASSERT_EQ(1u, trainer->GetMapMoveListeners().size());
    trainer->ClearCommands();
    trainer->OnSpell(RGTT_WALL);
    trainer->OnMapMove(RGMMT_UP);
    trainer->Update();
    EXPECT_TRUE(trainer->GetMapMoveListeners().empty());
}

TEST_F(TrainerTest, ToolTipIsShownInTheLocalisedFontWithTheMetricsOnABubblePastItsText)
{
    // A grid of 16 columns and 8 rows, seen through a quarter of the texture offset by (0.1, 0.2).
    gLocalizationFont.m_CharsH = 16.0f;
    gLocalizationFont.m_CharsW = 8.0f;
    gLocalizationFont.m_Indent = {0.1f, 0.2f, 0.5f, 0.25f};
    // A later entry for a code wins.
    tarn_test::WriteBytes(m_Dir.File("metrics.xml"), "<font><c code=\"35\" index=\"1\" width=\"0.4\"></c>"
                                                     "<c code=\"35\" index=\"35\" width=\"0.5\"></c></font>");
    RGFontMetrics::Global().Load(m_Dir.WFile("metrics.xml"));
    auto trainer = Start({kTeacher, "Type=\"RGLevelTrainerCommandShowToolTip\" Text=\"#\"",
                          "Type=\"RGLevelTrainerCommandShowToolTip\" Text=\"CLICK THE SHINING POT\"",
                          "Type=\"RGLevelTrainerCommandShowToolTip\" Text=\"\""});
    trainer->Update();
    const auto& tip = trainer->GetToolTip();
    const auto& font = tip->GetLabel()->GetFont();
    EXPECT_TRUE(tip->IsShown());
    EXPECT_FLOAT_EQ(0.5f, font->GetTextWidth());
    std::vector<TarnEngine::SScreenVertex> quad(4);
    font->FillVertexData(quad.data());
    // '#' (35) is column 3 of row 2: u from 3/16, v from 2/8, then scaled and offset.
    EXPECT_FLOAT_EQ(0.5f * 3.0f / 16.0f + 0.1f, quad[0].u);
    EXPECT_FLOAT_EQ(0.25f * 2.0f / 8.0f + 0.2f, quad[0].v);
    // The bubble reaches past its text, and an empty text leaves only the paddings.
    trainer->Update();
    trainer->Render();
    const auto& label = trainer->GetToolTip()->GetLabel();
    const float textEnd = label->GetFont()->m_X + label->m_Layout.TextWidth(*label->GetFont());
    const SCore::SRect& bubble = label->m_Background->m_Position;
    EXPECT_GT(textEnd, label->m_X + 0.3f);
    EXPECT_FLOAT_EQ(textEnd + 0.01f, bubble.X + bubble.Width);
    trainer->Update();
    trainer->Render();
    EXPECT_LE(bubble.Width, label->m_Layout.m_PaddingLeft + label->m_Layout.m_PaddingRight);
}
