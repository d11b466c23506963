#pragma once
// What the audio backends ask and tell their test hooks of testing_audio.h (their state lives in
// audio/TestHooks.cpp). The hooks take their own lock inside the mixer lock, never the reverse.
// Internal to platform/.

#include "platform/wintypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {
namespace audio {
class MusicGraph;
class SoundBuffer;
struct Voice;
} // namespace audio
} // namespace platform

namespace platform {
namespace hooks {

// --- Mixer (with the mixer lock held) ---------------------------------------------------------
// Whether a test steps the mixer: no device then consumes audio. One load while it does not.
bool MixerStepped();
// False while the mixer is not stepped (one load); otherwise true with the microseconds
// timeGetTime() has moved since the previous call.
bool SteppedMixerAdvance(uint64_t* micros);

// --- Sound devices and buffers ----------------------------------------------------------------
void CountLiveSoundDevice(int delta);
// A buffer's life, for the live count and the buffer list; made and destroyed are called
// without the mixer lock, started (a Play call that started the buffer) with it.
void SoundBufferMade(const audio::SoundBuffer* buffer);
void SoundBufferDestroyed(const audio::SoundBuffer* buffer);
void SoundBufferStarted(const audio::SoundBuffer* buffer);

// --- Music graphs (with the mixer lock held) --------------------------------------------------
// A graph's life and calls, kept for inspection past its end (the newest few finished ones).
enum class GraphCall { Run, Stop, Seek, Wait };
void GraphMade(const audio::MusicGraph* graph, std::shared_ptr<audio::Voice> voice);
void GraphRendered(const audio::MusicGraph* graph, const std::wstring& file, HRESULT result);
void GraphCalled(const audio::MusicGraph* graph, GraphCall call);
void GraphVolumeSet(const audio::MusicGraph* graph, LONG hundredthsOfDb);
void GraphDestroyed(const audio::MusicGraph* graph);
// Whether a music graph's wait lets the fake clock run instead of waiting in real time.
bool GraphWaitAdvancesClock();
// Moves the fake clock on by ms (such a wait's time passing).
void LetTimePass(DWORD ms);

// --- Resources --------------------------------------------------------------------------------
// The bytes a test registered as the resource name/type (case-insensitive); null when none.
// The bytes stay where they are until the hooks are reset.
const std::vector<uint8_t>* RegisteredResource(const char* name, const char* type);

} // namespace hooks
} // namespace platform
