// One frame's script updates of N walking game objects through the engine's wrappers
// (RGPYGameObject::Update), against the same script calls made from Python in the same
// interpreter ("calls": the wrappers' overhead, target at most 1.3) and against the whole step,
// sums included, written in Python ("python"). The three run interleaved in one loop.

#include "game/gameplay/objects/RGPYFactory.h"
#include "game/gameplay/objects/RGPYGameObject.h"
#include "game/gameplay/scripting/RGPythonDictionary.h"
#include "game/gameplay/scripting/RGPythonFunctor.h"
#include "game/gameplay/scripting/RGPythonInterpreter.h"
#include "game/gameplay/scripting/RGPythonList.h"
#include "game/gameplay/scripting/RGPythonObject.h"
#include "game/gameplay/scripting/RGPythonStartup.h"
#include "game/gameplay/scripting/RGScriptLock.h"
#include "bench/support/SideTimes.h"

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

// A frame function of bench_frame.py over the pairs of the given objects' script instances.
class PythonFrame {
public:
    PythonFrame(const std::vector<boost::shared_ptr<RGPYGameObject>>& objects, const char* function,
                const RGPythonDictionary& world)
        : m_Module(new RGPythonInterpreter), m_Frame(m_Module)
    {
        m_Module->LoadModule("bench_frame");
        RGPythonList instances(m_Module);
        instances.Create();
        for (const auto& object : objects) instances.Append(object->GetPythonObject()->GetInstance());
        RGPythonFunctor makePairs(m_Module);
        makePairs.SetFuncName("make_pairs", 1);
        makePairs.SetArgumentValuePyObject(instances.GetHandle());
        m_Pairs = makePairs.Exec();
        m_Frame.SetFuncName(function, 4);
        m_Frame.SetArgumentValuePyObject(m_Pairs.GetHandle());
        m_Frame.SetArgumentValueDouble(1, kStep);
        m_Frame.SetArgumentValueSizeT(2, 0);
        m_Frame.SetArgumentValue(3, world.GetHandle());
    }
    void Run()
    {
        RGScriptLock lock;
        benchmark::DoNotOptimize(m_Frame.Exec());
    }

private:
    boost::shared_ptr<RGPythonInterpreter> m_Module;
    RGPythonResult m_Pairs;
    RGPythonFunctor m_Frame;
};

void BM_ScriptFrame(benchmark::State& state)
{
    Start();
    // Each side walks objects of its own, so that no side's updates change another's work.
    const auto walkers = [&] {
        std::vector<boost::shared_ptr<RGPYGameObject>> objects;
        for (int64_t i = 0; i < state.range(0); ++i) objects.push_back(Walker(0.001f * i));
        return objects;
    };
    const std::vector<boost::shared_ptr<RGPYGameObject>> objects = walkers();
    RGPythonDictionary world(RGPYFactory::GetModule());
    world.Create();
    PythonFrame calls(walkers(), "frame_calls", world);
    PythonFrame python(walkers(), "frame", world);
    const auto wrappers = [&] {
        RGScriptLock lock; // the world holds it across its update
        for (const auto& object : objects) object->Update(kStep, world);
    };
    bench::SideTimes times({"wrappers", "calls", "python"});
    for (auto _ : state) times.RunOnce({wrappers, [&] { calls.Run(); }, [&] { python.Run(); }});
    times.Report(state);
    times.ReportRatio(state, 0, 1);
    times.ReportRatio(state, 0, 2);
}

BENCHMARK(BM_ScriptFrame)->Arg(50)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
