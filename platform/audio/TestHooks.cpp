// The audio test hooks (platform/testing_audio.h) and what the backends ask and tell them
// (platform/audio/Hooks.h). One lock guards the records, taken inside the mixer lock where both
// are needed; what a record's voice says is read under the mixer lock. The mixer asks only
// whether it is stepped, an atomic.

#include "platform/audio/AudioMixer.h"
#include "platform/audio/Hooks.h"
#include "platform/audio/SoundBuffer.h"
#include "platform/files.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"
#include "platform/win32.h"

#include <atomic>
#include <cctype>
#include <map>
#include <mutex>

namespace platform {
namespace testing {

namespace {

const ResetRegistration kReset(&ResetAudioHooks);

// What a music graph did, past its end.
struct GraphRecord {
    const audio::MusicGraph* graph = nullptr; // while alive
    unsigned id = 0;
    bool alive = true;
    std::string file;
    HRESULT renderResult = S_FALSE;
    bool running = false;
    std::vector<LONG> volumes;
    unsigned runs = 0, stops = 0, seeks = 0, waits = 0;
    std::shared_ptr<audio::Voice> voice; // while alive
    size_t frame = 0, frames = 0;        // where the voice stood when the graph died
};

struct BufferRecord {
    const audio::SoundBuffer* buffer;
    unsigned id;
    unsigned plays;
};

const size_t kFinishedGraphsKept = 64;
// A bound on the volumes a record keeps, so that a long session does not grow without end.
const size_t kVolumesKept = 10000;

struct AudioHooks {
    std::mutex lock;
    std::vector<GraphRecord> graphs; // since the last reset, oldest first
    unsigned nextGraphId = 1;
    std::vector<BufferRecord> buffers; // live ones, oldest first
    unsigned nextBufferId = 1;
    // Keys are upper-cased "name|type"; map nodes stay put, so the bytes can be handed out.
    std::map<std::string, std::vector<uint8_t>> resources;
};

// Never destroyed: buffers may be released from static destructors of other objects.
AudioHooks& Hooks()
{
    static AudioHooks* hooks = new AudioHooks;
    return *hooks;
}

std::atomic<bool> g_Stepped{false};
uint32_t g_StepLast = 0; // guarded by the mixer lock
std::atomic<GraphWait> g_GraphWait{GraphWait::Real};
std::atomic<unsigned> g_LiveDevices{0};

std::string ResourceKey(const std::string& name, const std::string& type)
{
    std::string key = name + "|" + type;
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

// The hooks' lock must be held.
GraphRecord* LiveRecordOf(const audio::MusicGraph* graph)
{
    auto& graphs = Hooks().graphs;
    for (auto it = graphs.rbegin(); it != graphs.rend(); ++it)
        if (it->alive && it->graph == graph) return &*it;
    return nullptr;
}

} // namespace

void RegisterResource(const std::string& name, const std::string& type,
                      const std::vector<uint8_t>& bytes)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().resources[ResourceKey(name, type)] = bytes;
}

void ResetAudioHooks()
{
    SetGraphWait(GraphWait::Real);
    if (g_Stepped.load()) UseSteppedMixer(false);
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().resources.clear();
    auto& graphs = Hooks().graphs;
    std::vector<GraphRecord> alive;
    for (auto& record : graphs)
        if (record.alive) alive.push_back(std::move(record));
    graphs.swap(alive);
}

void UseSteppedMixer(bool stepped)
{
    audio::Mixer& mixer = audio::Mixer::Instance();
    auto lock = mixer.Acquire();
    if (stepped == g_Stepped.load()) return;
    mixer.Sync(); // up to date on the clock it leaves
    g_StepLast = timeGetTime();
    g_Stepped.store(stepped, std::memory_order_release);
    mixer.RestartClock();
}

void RenderMixer(int16_t* out, size_t frames)
{
    auto lock = audio::Mixer::Instance().Acquire();
    audio::Mixer::Instance().Render(out, frames);
}

std::vector<SoundBufferInfo> SoundBuffers()
{
    std::vector<SoundBufferInfo> infos;
    auto lock = audio::Mixer::Instance().Acquire();
    audio::Mixer::Instance().Sync();
    std::lock_guard<std::mutex> guard(Hooks().lock);
    for (const BufferRecord& r : Hooks().buffers) {
        if (r.buffer->IsPrimary()) continue;
        const audio::Voice& voice = r.buffer->GetVoice();
        infos.push_back({r.id, voice.playing, r.buffer->Volume(), voice.frame, voice.Frames(), r.plays});
    }
    return infos;
}

unsigned LiveSoundDevices()
{
    return g_LiveDevices.load();
}

unsigned LiveSoundBuffers()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    return static_cast<unsigned>(Hooks().buffers.size());
}

void SetGraphWait(GraphWait mode)
{
    g_GraphWait = mode;
}

std::vector<GraphInfo> Graphs()
{
    std::vector<GraphInfo> infos;
    auto lock = audio::Mixer::Instance().Acquire();
    audio::Mixer::Instance().Sync();
    std::lock_guard<std::mutex> guard(Hooks().lock);
    for (const GraphRecord& r : Hooks().graphs) {
        const size_t frame = r.voice ? r.voice->frame : r.frame;
        const size_t frames = r.voice ? r.voice->Frames() : r.frames;
        infos.push_back({r.id, r.alive, r.file, r.renderResult, r.running, r.volumes, r.runs,
                         r.stops, r.seeks, r.waits,
                         static_cast<LONGLONG>(frame) * 10000000 / audio::kMixRate,
                         static_cast<LONGLONG>(frames) * 10000000 / audio::kMixRate});
    }
    return infos;
}

unsigned LiveGraphs()
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    unsigned alive = 0;
    for (const GraphRecord& r : Hooks().graphs) alive += r.alive ? 1 : 0;
    return alive;
}

void ForceEndOfStream()
{
    auto lock = audio::Mixer::Instance().Acquire();
    std::lock_guard<std::mutex> guard(Hooks().lock);
    auto& graphs = Hooks().graphs;
    for (auto it = graphs.rbegin(); it != graphs.rend(); ++it) {
        if (it->alive && it->running) {
            it->voice->frame = it->voice->Frames();
            it->voice->playing = false;
            return;
        }
    }
}

} // namespace testing

namespace hooks {

using testing::Hooks;

bool MixerStepped() { return testing::g_Stepped.load(std::memory_order_acquire); }

bool SteppedMixerAdvance(uint64_t* micros)
{
    if (!testing::g_Stepped.load(std::memory_order_acquire)) return false;
    const uint32_t now = timeGetTime();
    *micros = static_cast<uint64_t>(static_cast<uint32_t>(now - testing::g_StepLast)) * 1000u;
    testing::g_StepLast = now;
    return true;
}

void CountLiveSoundDevice(int delta) { testing::g_LiveDevices += delta; }

void SoundBufferMade(const audio::SoundBuffer* buffer)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    Hooks().buffers.push_back({buffer, Hooks().nextBufferId++, 0});
}

void SoundBufferDestroyed(const audio::SoundBuffer* buffer)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    auto& buffers = Hooks().buffers;
    for (auto it = buffers.begin(); it != buffers.end(); ++it) {
        if (it->buffer == buffer) {
            buffers.erase(it);
            return;
        }
    }
}

void SoundBufferStarted(const audio::SoundBuffer* buffer)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    for (auto& r : Hooks().buffers)
        if (r.buffer == buffer) ++r.plays;
}

void GraphMade(const audio::MusicGraph* graph, std::shared_ptr<audio::Voice> voice)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    testing::GraphRecord record;
    record.graph = graph;
    record.id = Hooks().nextGraphId++;
    record.voice = std::move(voice);
    Hooks().graphs.push_back(std::move(record));
}

void GraphRendered(const audio::MusicGraph* graph, const std::wstring& file, HRESULT result)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    testing::GraphRecord* r = testing::LiveRecordOf(graph);
    if (!r) return;
    r->file = WideToUtf8(file);
    r->renderResult = result;
}

void GraphCalled(const audio::MusicGraph* graph, GraphCall call)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    testing::GraphRecord* r = testing::LiveRecordOf(graph);
    if (!r) return;
    switch (call) {
    case GraphCall::Run:
        r->running = true;
        ++r->runs;
        break;
    case GraphCall::Stop:
        r->running = false;
        ++r->stops;
        break;
    case GraphCall::Seek:
        ++r->seeks;
        break;
    case GraphCall::Wait:
        ++r->waits;
        break;
    }
}

void GraphVolumeSet(const audio::MusicGraph* graph, LONG hundredthsOfDb)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    testing::GraphRecord* r = testing::LiveRecordOf(graph);
    if (!r) return;
    auto& volumes = r->volumes;
    if (volumes.size() >= 2 * testing::kVolumesKept)
        volumes.erase(volumes.begin(), volumes.end() - testing::kVolumesKept);
    volumes.push_back(hundredthsOfDb);
}

void GraphDestroyed(const audio::MusicGraph* graph)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    testing::GraphRecord* r = testing::LiveRecordOf(graph);
    if (!r) return;
    r->alive = false;
    r->running = false;
    r->graph = nullptr;
    r->frame = r->voice->frame;
    r->frames = r->voice->Frames();
    r->voice.reset();

    auto& graphs = Hooks().graphs;
    size_t finished = 0;
    for (const auto& g : graphs) finished += g.alive ? 0 : 1;
    for (auto it = graphs.begin(); finished > testing::kFinishedGraphsKept && it != graphs.end();) {
        if (!it->alive) {
            it = graphs.erase(it);
            --finished;
        } else {
            ++it;
        }
    }
}

bool GraphWaitAdvancesClock() { return testing::g_GraphWait.load() == testing::GraphWait::AdvanceClock; }

void LetTimePass(DWORD ms) { testing::AdvanceFakeTime(ms); }

const std::vector<uint8_t>* RegisteredResource(const char* name, const char* type)
{
    std::lock_guard<std::mutex> guard(Hooks().lock);
    auto it = Hooks().resources.find(testing::ResourceKey(name, type));
    return it == Hooks().resources.end() ? nullptr : &it->second;
}

} // namespace hooks
} // namespace platform
