// Builds a level from arbitrary text through the shipped scripts and game objects, then plays it
// on the headless device: the bytes after the text scroll the view, cast spells anywhere and move
// the clock, and every frame steps the world, draws it and asks whether it is won or lost. A
// level is refused with an exception the game reports; nothing may crash.

#include "engine/core/serialization/SXMLDeserializator.h"
#include "game/gameplay/levels/RGLevel.h"
#include "game/gameplay/levels/RGLevelTrainer.h"
#include "tests/fuzz/FuzzWorld.h"

#include <exception>

using namespace Runegarden;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzWorld::Get();
    FuzzInput in(data, size);
    try {
        RGLevel level("fuzz");
        SCore::SXMLDeserializator reader;
        reader.m_Text = in.text;
        reader.ParseText();
        level.DoDeserialize(reader);
        // One frame at least; at most 40, each up to 160 ms of play.
        for (int frame = 0; frame < 40 && (frame == 0 || in.More()); ++frame) {
            const uint8_t action = in.Next();
            switch (action % 8) {
            case 0: level.MoveLeft(); break;
            case 1: level.MoveRight(); break;
            case 2: level.MoveUp(); break;
            case 3: level.MoveDown(); break;
            case 4: {
                const RGToolType tool = RGToolType(in.Next() % 5);
                const float x = in.Next() / 255.0f, y = in.Next() / 255.0f;
                const float a = in.Next() / 255.0f, b = in.Next() / 255.0f;
                if (level.ProcessTool(tool, x, y, a, b) && level.GetTrainer()) level.GetTrainer()->OnSpell(tool);
                break;
            }
            default: break;
            }
            platform::testing::AdvanceFakeTime(20u * (1u + (action >> 5)));
            level.Update(action % 8 == 5);
            level.Render();
            (void)level.IsDone();
            (void)level.IsFailed();
        }
        std::vector<boost::shared_ptr<RGPythonObject>> actors;
        level.GetActors(actors);
    } catch (const std::exception&) {
    }
    return 0;
}
