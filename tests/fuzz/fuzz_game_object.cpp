// Reads an arbitrary game-object definition through the factory and puts the object into a small
// world with a shipped ground and walker: the bytes after the text place it, set its size and
// speed, and how many frames run; every frame steps the world and draws it. A definition is
// refused with an exception the game reports; nothing may crash.

#include "game/gameplay/objects/RGPYFactory.h"
#include "game/gameplay/objects/RGPYGameObject.h"
#include "game/gameplay/scripting/RGScriptLock.h"
#include "game/gameplay/world/RGWorld.h"
#include "tests/fuzz/FuzzWorld.h"

#include <exception>

using namespace Runegarden;

namespace {

// A coordinate from -1 to 2 (the shipped levels' field and around it), or one of a few extremes.
float Coordinate(FuzzInput& in)
{
    const uint8_t v = in.Next();
    const float extremes[] = {0.0f, -1e30f, 1e30f, 1e-30f};
    return v >= 252 ? extremes[v - 252] : -1.0f + 3.0f * v / 251.0f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzWorld& world = FuzzWorld::Get();
    FuzzInput in(data, size);
    try {
        RGScriptLock lock;
        boost::shared_ptr<RGPYGameObject> object = RGPYFactory::LoadGameObject(world.Write("object.xml", in.text));
        RGWorld field;
        boost::shared_ptr<RGPYGameObject> ground = RGPYFactory::Create("Ground");
        ground->SetPosition({0.0f, 0.85f, 0.0f});
        field.AddGameObject(ground);
        boost::shared_ptr<RGPYGameObject> walker = RGPYFactory::Create("Balychahl");
        walker->SetPosition({0.3f, 0.73f, 0.0f});
        field.AddGameObject(walker);
        if (in.More()) {
            object->SetPosition({Coordinate(in), Coordinate(in), 0.0f});
            object->SetHalfSize({Coordinate(in), Coordinate(in), 0.0f});
            object->SetVelocity({Coordinate(in), Coordinate(in), 0.0f});
        }
        field.AddGameObject(object);
        for (int frame = 0, frames = 1 + in.Next() % 100; frame < frames; ++frame) {
            field.Update(0.01f);
            field.UpdateSpritesState();
            field.Render();
        }
    } catch (const std::exception&) {
    }
    return 0;
}
