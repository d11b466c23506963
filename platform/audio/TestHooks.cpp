// The audio test hooks (platform/testing_audio.h) and what the backends ask of them
// (platform/audio/Hooks.h).

#include "platform/audio/AudioMixer.h"
#include "platform/audio/Hooks.h"
#include "platform/audio/MusicGraph.h"
#include "platform/audio/SoundBuffer.h"
#include "platform/audio/SoundDevice.h"
#include "platform/testing.h"
#include "platform/testing_audio.h"

#include <atomic>
#include <cctype>
#include <map>
#include <mutex>

namespace platform {
namespace testing {

namespace {

std::atomic<GraphWait> g_GraphWait{GraphWait::Real};
const ResetRegistration kReset(&ResetAudioHooks);

// Graphs since the last reset, oldest first; guarded by the mixer lock.
std::vector<std::shared_ptr<audio::GraphRecord>>& GraphRecords()
{
    static auto* records = new std::vector<std::shared_ptr<audio::GraphRecord>>();
    return *records;
}
const size_t kFinishedRecordsKept = 64;

std::mutex g_ResourceLock;
// Keys are upper-cased "name|type"; map nodes stay put, so the bytes can be handed out.
std::map<std::string, std::vector<uint8_t>> g_Resources;

std::string ResourceKey(const std::string& name, const std::string& type)
{
    std::string key = name + "|" + type;
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

void ClearResources()
{
    std::lock_guard<std::mutex> guard(g_ResourceLock);
    g_Resources.clear();
}

} // namespace

void RegisterResource(const std::string& name, const std::string& type,
                      const std::vector<uint8_t>& bytes)
{
    std::lock_guard<std::mutex> guard(g_ResourceLock);
    g_Resources[ResourceKey(name, type)] = bytes;
}

void ResetAudioHooks()
{
    SetGraphWait(GraphWait::Real);
    ClearResources();
    if (!audio::Mixer::Exists()) return;
    UseSteppedMixer(false);
    auto lock = audio::Mixer::Instance().Acquire();
    auto& records = GraphRecords();
    std::vector<std::shared_ptr<audio::GraphRecord>> alive;
    for (auto& record : records)
        if (record->alive) alive.push_back(record);
    records.swap(alive);
}

void UseSteppedMixer(bool stepped)
{
    auto lock = audio::Mixer::Instance().Acquire();
    audio::Mixer::Instance().SetStepped(stepped);
}

void RenderMixer(int16_t* out, size_t frames)
{
    auto lock = audio::Mixer::Instance().Acquire();
    audio::Mixer::Instance().Render(out, frames);
}

std::vector<SoundBufferInfo> SoundBuffers()
{
    std::vector<SoundBufferInfo> infos;
    audio::ForEachSoundBuffer(
        [](const audio::SoundBuffer& buffer, void* context) {
            if (buffer.IsPrimary()) return;
            const audio::Voice& voice = buffer.GetVoice();
            static_cast<std::vector<SoundBufferInfo>*>(context)->push_back(
                {buffer.Id(), voice.playing, buffer.Volume(), voice.frame, voice.Frames(),
                 buffer.Plays()});
        },
        &infos);
    return infos;
}

unsigned LiveSoundDevices()
{
    return audio::SoundDevice::LiveCount();
}

unsigned LiveSoundBuffers()
{
    return audio::LiveSoundBufferCount();
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
    for (const auto& r : GraphRecords()) {
        const size_t frame = r->voice ? r->voice->frame : r->frame;
        const size_t frames = r->voice ? r->voice->Frames() : r->frames;
        infos.push_back({r->id, r->alive, r->file, r->renderResult, r->running, r->volumes,
                         r->runs, r->stops, r->seeks, r->waits,
                         static_cast<LONGLONG>(frame) * 10000000 / audio::kMixRate,
                         static_cast<LONGLONG>(frames) * 10000000 / audio::kMixRate});
    }
    return infos;
}

unsigned LiveGraphs()
{
    auto lock = audio::Mixer::Instance().Acquire();
    unsigned alive = 0;
    for (const auto& r : GraphRecords()) alive += r->alive ? 1 : 0;
    return alive;
}

void ForceEndOfStream()
{
    auto lock = audio::Mixer::Instance().Acquire();
    auto& records = GraphRecords();
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        if ((*it)->alive && (*it)->running) {
            (*it)->voice->frame = (*it)->voice->Frames();
            (*it)->voice->playing = false;
            return;
        }
    }
}

} // namespace testing

namespace hooks {

void KeepGraphRecord(std::shared_ptr<audio::GraphRecord> record)
{
    testing::GraphRecords().push_back(std::move(record));
}

void GraphRecordFinished()
{
    auto& records = testing::GraphRecords();
    size_t finished = 0;
    for (const auto& r : records) finished += r->alive ? 0 : 1;
    for (auto it = records.begin(); finished > testing::kFinishedRecordsKept && it != records.end();) {
        if (!(*it)->alive) {
            it = records.erase(it);
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
    std::lock_guard<std::mutex> guard(testing::g_ResourceLock);
    auto it = testing::g_Resources.find(testing::ResourceKey(name, type));
    return it == testing::g_Resources.end() ? nullptr : &it->second;
}

} // namespace hooks
} // namespace platform
