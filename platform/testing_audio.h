#pragma once
// Audio test hooks: a mixer stepped by the fake clock, inspection of sound buffers and music
// graphs, live object counts and the program's WAVE resources. Included by platform/testing.h.

#include "platform/wintypes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {
namespace testing {

// Puts every audio hook back and forgets finished graphs; ResetAll() calls it.
void ResetAudioHooks();

// --- Mixer -----------------------------------------------------------------------------------
// While stepped, no device consumes audio: voices advance exactly as far as timeGetTime() has
// moved since the previous mixer call (use the fake clock). Turning it on starts from "now".
void UseSteppedMixer(bool stepped);
// Mixes frames of stereo 16-bit output into out, advancing every playing voice, as the device
// callback does.
void RenderMixer(int16_t* out, size_t frames);

// --- Sound buffers ---------------------------------------------------------------------------
struct SoundBufferInfo {
    unsigned id;           // creation number, from 1
    bool playing;          // a voice sounds now
    LONG volume;           // hundredths of a decibel, as last accepted by SetVolume
    size_t position;       // frames of the mixer format already played
    size_t length;         // frames of the mixer format
    unsigned plays;        // Play calls that started the buffer
};
// Live secondary buffers, oldest first.
std::vector<SoundBufferInfo> SoundBuffers();
unsigned LiveSoundDevices();
unsigned LiveSoundBuffers(); // secondary and primary

// --- Music graphs ----------------------------------------------------------------------------
enum class GraphWait {
    Real,         // WaitForCompletion waits in real time (in stepped mode: for the fake clock)
    AdvanceClock, // advances the fake clock by the time waited and returns at once
};
void SetGraphWait(GraphWait mode);

struct GraphInfo {
    unsigned id;               // creation number, from 1
    bool alive;                // not yet destroyed
    std::string file;          // as handed to RenderFile, UTF-8
    HRESULT renderResult;      // of the last RenderFile; S_FALSE before any
    bool running;              // between Run and Stop
    std::vector<LONG> volumes; // accepted put_Volume values in order (at least the last 10000)
    unsigned runs, stops, seeks, waits;
    LONGLONG position, duration; // 100 ns units
};
// Graphs made since the last reset, oldest first (of finished ones, only the newest 64).
std::vector<GraphInfo> Graphs();
unsigned LiveGraphs();
// Moves the newest running graph to the end of its stream.
void ForceEndOfStream();

// --- Resources -------------------------------------------------------------------------------
// Registers bytes as the program resource name/type ("WAVE" or "WAV").
void RegisterResource(const std::string& name, const std::string& type,
                      const std::vector<uint8_t>& bytes);

} // namespace testing
} // namespace platform
