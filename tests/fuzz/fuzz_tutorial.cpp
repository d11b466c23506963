// Reads an arbitrary tutorial file and runs its trainer on the headless device: the bytes after
// the text report casts, failed strokes and view scrolls and move the clock, and every frame
// updates and draws the trainer. A file is refused with an exception the game reports; nothing
// may crash.

#include "game/gameplay/levels/RGLevelTrainer.h"
#include "tests/fuzz/FuzzWorld.h"

#include <exception>

using namespace Runegarden;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzWorld& world = FuzzWorld::Get();
    FuzzInput in(data, size);
    try {
        RGLevelTrainer trainer;
        trainer.Deserialize(world.Write("help.xml", in.text));
        trainer.Start();
        // A few frames at least, so that the script runs without actions too; at most 200.
        for (int frame = 0; frame < 200 && (frame < 8 || in.More()); ++frame) {
            const uint8_t action = in.Next();
            switch (action % 8) {
            case 0: trainer.OnSpell(RGToolType(in.Next() % 5)); break;
            case 1: trainer.OnSpellError(); break;
            case 2: trainer.OnMapMove(RGMapMoveType(in.Next() % 4)); break;
            case 3: trainer.Restart(); break;
            default: break;
            }
            platform::testing::AdvanceFakeTime(20u + 200u * (action >> 4));
            trainer.Update();
            trainer.Render();
        }
    } catch (const std::exception&) {
    }
    return 0;
}
