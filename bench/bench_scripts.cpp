// One frame's script updates of N walking game objects: through the engine's wrappers
// (RGPYGameObject::Update) against the same steps written in Python in the same interpreter.
// The ratio of the two times is the wrappers' overhead; the target is at most 1.5.

#include "game/gameplay/objects/RGPYFactory.h"
#include "game/gameplay/objects/RGPYGameObject.h"
#include "game/gameplay/scripting/RGPythonDictionary.h"
#include "game/gameplay/scripting/RGPythonFunctor.h"
#include "game/gameplay/scripting/RGPythonInterpreter.h"
#include "game/gameplay/scripting/RGPythonList.h"
#include "game/gameplay/scripting/RGPythonObject.h"
#include "game/gameplay/scripting/RGPythonStartup.h"
#include "game/gameplay/scripting/RGScriptLock.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace Runegarden;

namespace {

const float kStep = 0.01f;

boost::shared_ptr<RGPYGameObject> Walker(float x)
{
    boost::shared_ptr<RGPYGameObject> object(new RGPYGameObject);
    object->SetPythonObject(RGPYFactory::CreateByTypeName("RGGOT_ACTOR"));
    object->SetPosition({x, 0.5f, 0.0f});
    object->SetHalfSize({0.03f, 0.06f, 0.0f});
    object->SetMass(1.0f);
    return object;
}

void Start()
{
    StartPythonInterpreter(std::string(TARN_DATA_DIR) + "/scripts");
    StartPythonInterpreter(std::string(TARN_DATA_DIR) + "/../bench/scripts");
}

void BM_WrapperFrame(benchmark::State& state)
{
    Start();
    std::vector<boost::shared_ptr<RGPYGameObject>> objects;
    for (int64_t i = 0; i < state.range(0); ++i) objects.push_back(Walker(0.001f * i));
    RGPythonDictionary world(RGPYFactory::GetModule());
    world.Create();
    for (auto _ : state) {
        RGScriptLock lock; // the world holds it across its update
        for (const auto& object : objects) object->Update(kStep, world);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_PythonFrame(benchmark::State& state)
{
    Start();
    boost::shared_ptr<RGPythonInterpreter> module(new RGPythonInterpreter);
    module->LoadModule("bench_frame");
    RGPythonList instances(module);
    instances.Create();
    std::vector<boost::shared_ptr<RGPYGameObject>> objects;
    for (int64_t i = 0; i < state.range(0); ++i) {
        objects.push_back(Walker(0.001f * i));
        instances.Append(objects.back()->GetPythonObject()->GetInstance());
    }
    RGPythonFunctor makePairs(module);
    makePairs.SetFuncName("make_pairs", 1);
    makePairs.SetArgumentValuePyObject(instances.GetHandle());
    const RGPythonResult pairs = makePairs.Exec();
    RGPythonDictionary world(module);
    world.Create();
    RGPythonFunctor frame(module);
    frame.SetFuncName("frame", 4);
    frame.SetArgumentValuePyObject(pairs.GetHandle());
    frame.SetArgumentValueDouble(1, kStep);
    frame.SetArgumentValueSizeT(2, 0);
    frame.SetArgumentValue(3, world.GetHandle());
    for (auto _ : state) {
        RGScriptLock lock;
        benchmark::DoNotOptimize(frame.Exec());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_WrapperFrame)->Arg(50)->Arg(500);
BENCHMARK(BM_PythonFrame)->Arg(50)->Arg(500);

} // namespace

BENCHMARK_MAIN();
