// Every level of both shipped packs played through the real pack, level, world and scripts: the
// spells of the cast plan (data/cast_plan.xml) win it within its play time without it ever failing
// and with its tutorial led to its praise and never calling a cast wrong, and without them it fails or
// runs out of time.
//
// A cast gives the field point where the script places the spell (Y: the bottom of a wall or
// teleport, the top of a bridge, the centre of a wind area), the view the player scrolls to first
// (in screens, as "PosX"/"PosY") and the stroke's box in canvas pixels. The test turns that into
// the screen point the game would hand to RGLevel::ProcessTool.
#include "engine/framework/ui/SUILabel.h"
#include "engine/framework/ui/SUIToolTip.h"
#include "game/gameplay/levels/RGLevel.h"
#include "game/gameplay/levels/RGLevelPack.h"
#include "game/gameplay/levels/RGLevelTrainer.h"
#include "game/gameplay/world/RGWorld.h"
#include "platform/files.h"
#include "tests/game/gameplay/world/WorldFixture.h"

#include <cmath>
#include <map>

using namespace Runegarden;
namespace pt = platform::testing;

namespace {

const uint32_t kFrameMs = 20;

struct Cast {
    float time, viewX, viewY;
    RGToolType tool;
    float x, y, width, height;
};

struct Outcome {
    bool done = false, failed = false;
    float seconds = 0.0f;
    std::string refused; // the cast the level refused, if any
    int lost = 0;        // actors dead at the end
    std::string sounds;  // "name count;..." of sounds so frequent that a contact must be flickering
    bool scolded = false; // the tutorial called a cast wrong
    bool tutorial = false, praised = false; // the level has one, and it said "WELL DONE"
};

std::map<std::string, std::vector<Cast>> ReadPlan()
{
    std::map<std::string, std::vector<Cast>> plan;
    SCore::SXMLDeserializator in(WidenSigned(std::string(TARN_SOURCE_DIR) + "/tests/game/gameplay/levels/data/cast_plan.xml"));
    in.BeginChild("CastPlan");
    for (unsigned i = 0, n = in.GetChildCount(); i < n; ++i) {
        in.BeginChild(i);
        std::string name;
        in.Deserialize("Name", name);
        for (unsigned j = 0, m = in.GetChildCount(); j < m; ++j) {
            in.BeginChild(j);
            Cast c;
            std::string tool;
            in.Deserialize("Tool", tool);
            c.tool = StringToToolType(tool);
            float* fields[] = {&c.time, &c.viewX, &c.viewY, &c.x, &c.y, &c.width, &c.height};
            const char* names[] = {"Time", "ViewX", "ViewY", "X", "Y", "Width", "Height"};
            for (int f = 0; f < 7; ++f) in.Deserialize(names[f], *fields[f]);
            plan[name].push_back(c);
            in.EndChild();
        }
        in.EndChild();
    }
    return plan;
}

class ShippedLevelsTest : public WorldTest {
protected:
    // The two frame walls the game adds to every level it builds.
    static void AddFrameWalls(RGLevel& level)
    {
        const char* names[] = {"WallFrameLeft", "WallFrameRight"};
        for (int i = 0; i < 2; ++i) {
            boost::shared_ptr<RGPYGameObject> wall(new RGPYGameObject);
            wall->SetPythonObject(RGPYFactory::CreateByTypeName("RGGOT_SIMPLE"));
            wall->SetPosition({i == 0 ? 0.0f : level.m_SizeX - 0.002f, -1.0f, 0.0f});
            wall->SetMass(0.0f);
            wall->SetName(names[i]);
            wall->SetHalfSize({0.001f, level.m_SizeY * 0.5f + 0.5f, 0.0f});
            level.AddGameObject(wall);
        }
    }

    // One frame of the player scrolling towards (x, y) screens; true once the view is near it.
    static bool ScrollTowards(RGLevel& level, float x, float y)
    {
        const RGBody& view = level.GetViewBody();
        const float dx = x + view.m_Position.X, dy = y + view.m_Position.Y;
        // Push while far enough to coast the rest of the way; the drag stops the view.
        const float coast = 0.01f + 2.0f * (std::fabs(view.m_Velocity.X) + std::fabs(view.m_Velocity.Y));
        const auto push = [&level](void (RGLevel::*move)(), RGMapMoveType way) {
            (level.*move)();
            if (level.GetTrainer()) level.GetTrainer()->OnMapMove(way);
        };
        if (dx > coast && -view.m_Velocity.X < 0.3f) push(&RGLevel::MoveRight, RGMMT_RIGHT);
        else if (dx < -coast && view.m_Velocity.X < 0.3f) push(&RGLevel::MoveLeft, RGMMT_LEFT);
        if (dy > coast && -view.m_Velocity.Y < 0.3f) push(&RGLevel::MoveDown, RGMMT_DOWN);
        else if (dy < -coast && view.m_Velocity.Y < 0.3f) push(&RGLevel::MoveUp, RGMMT_UP);
        return std::fabs(dx) < 0.1f && std::fabs(dy) < 0.1f;
    }

    // The stroke the player draws so that the script places the spell at the cast's point: false
    // while that point is not on the screen yet, else whether the level accepted the spell.
    static bool CastSpell(RGLevel& level, const Cast& c, bool& accepted)
    {
        const SCore::SVector3& offset = level.GetWorld()->m_Offset;
        const float a = (c.width / 256.0f) * (896.0f / 1024.0f) * (732.0f / 768.0f);
        const float b = c.height / 256.0f;
        const bool wind = c.tool == RGTT_WINDRIGHT || c.tool == RGTT_WINDLEFT;
        const float centreY = wind ? c.y : c.y - 0.5f * b / 0.953125f;
        // Field to window fractions (the field sits right of the 0.125 bar, 0.953125 high), then
        // the play mode's shift of the stroke centre.
        const float x = (c.x + offset.X) * 0.875f + 0.125f - 0.1225f;
        const float y = (centreY + offset.Y) * 0.953125f - 0.02f;
        if (x < 0.0f || x > 0.999f || y < 0.0f || y > 0.999f) return false;
        accepted = level.ProcessTool(c.tool, x, y, a, b);
        return true;
    }

    Outcome Play(const std::string& pack, const std::string& name, std::vector<Cast> casts)
    {
        RGLevelPack levels;
        SCore::SXMLDeserializator in(WidenSigned(pack));
        levels.DoDeserialize(in);
        levels.SetCurrentLevel(name);
        boost::shared_ptr<RGLevel> level = levels.GetLevel();
        AddFrameWalls(*level);
        Probe(-1);
        Outcome out;
        const uint32_t frames = uint32_t(level->m_PlayTime * 1000.0f) / kFrameMs;
        float viewX = -level->GetViewBody().m_Position.X, viewY = -level->GetViewBody().m_Position.Y;
        for (uint32_t frame = 1; frame <= frames && !out.done && !out.failed; ++frame) {
            pt::AdvanceFakeTime(kFrameMs);
            out.seconds = float(frame * kFrameMs) / 1000.0f;
            if (!casts.empty()) {
                viewX = casts.front().viewX;
                viewY = casts.front().viewY;
            }
            bool accepted = false;
            if (ScrollTowards(*level, viewX, viewY) && !casts.empty() && out.seconds >= casts.front().time &&
                CastSpell(*level, casts.front(), accepted)) {
                if (!accepted) {
                    out.refused = ToolTypeToString(casts.front().tool) + " at " + std::to_string(out.seconds);
                    return out;
                }
                if (level->GetTrainer()) level->GetTrainer()->OnSpell(casts.front().tool);
                casts.erase(casts.begin());
            }
            level->Update(false);
            level->Render();
            if (const auto& trainer = level->GetTrainer()) {
                const auto& tip = *trainer->GetToolTip();
                const std::wstring text = tip.IsHidden() ? L"" : tip.GetLabel()->GetText();
                out.tutorial = true;
                out.scolded |= text == L"NOT QUITE. TRY AGAIN";
                out.praised |= text.rfind(L"WELL DONE", 0) == 0;
            }
            out.failed = level->IsFailed();
            out.done = !out.failed && level->IsDone();
        }
        for (const auto& actor : level->GetWorld()->GetActors()) out.lost += actor->IsLife() ? 0 : 1;
        out.sounds = ProbeSounds(10);
        return out;
    }
};

} // namespace

TEST_F(ShippedLevelsTest, EveryLevelIsWonWithItsCastsAndLostWithout)
{
    const std::map<std::string, std::vector<Cast>> plan = ReadPlan();
    for (const char* pack : {"Levels\\levelpack.xml", "Levels\\bonuslevelpack.xml"}) {
        RGLevelPack levels;
        SCore::SXMLDeserializator in(WidenSigned(pack));
        levels.DoDeserialize(in);
        for (unsigned i = 0; i < levels.GetLevelCount(); ++i) {
            const std::string name = levels.GetLevelName(i);
            const auto casts = plan.find(name);
            ASSERT_NE(plan.end(), casts) << name << " has no casts in the plan";
            const Outcome won = Play(pack, name, casts->second);
            EXPECT_TRUE(won.done && !won.failed && won.refused.empty() && won.lost == 0 && !won.scolded &&
                        won.praised == won.tutorial && won.sounds.empty())
                << name << ": done " << won.done << ", failed " << won.failed << ", " << won.lost << " lost at "
                << won.seconds << " s" << (won.refused.empty() ? "" : ", refused " + won.refused)
                << (won.scolded ? ", the tutorial called a cast wrong" : "")
                << (won.praised == won.tutorial ? "" : ", the tutorial never got to its praise") << " " << won.sounds;
            const Outcome idle = Play(pack, name, {});
            EXPECT_FALSE(idle.done) << name << " is won without a spell at " << idle.seconds << " s";
            std::printf("%-8s won at %5.2f s; without spells %s at %5.2f s\n", name.c_str(), won.seconds,
                        idle.failed ? "failed" : "timed out", idle.seconds);
        }
    }
}

TEST_F(ShippedLevelsTest, ABridgeDrawnALittleOffTheBanksIsLaidOnThem)
{
    for (float miss : {0.04f, -0.04f}) { // below the banks and above them, too high to step onto
        std::vector<Cast> casts = ReadPlan().at("lvl2");
        casts.front().y += miss;
        const Outcome won = Play("Levels\\levelpack.xml", "lvl2", casts);
        EXPECT_TRUE(won.done && won.lost == 0) << miss << ": failed " << won.failed << " at " << won.seconds << " s";
    }
}
