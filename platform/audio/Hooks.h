#pragma once
// What the audio backends ask their test hooks of testing_audio.h (their state lives in
// audio/TestHooks.cpp). Internal to platform/.

#include "platform/wintypes.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {
namespace audio {
struct GraphRecord;
} // namespace audio
} // namespace platform

namespace platform {
namespace hooks {

// Whether a music graph's wait lets the fake clock run instead of waiting in real time.
bool GraphWaitAdvancesClock();
// Moves the fake clock on by ms (such a wait's time passing).
void LetTimePass(DWORD ms);
// Keeps a new graph's record for inspection, and lets go of the oldest finished ones when
// another graph finishes. Both with the mixer lock held.
void KeepGraphRecord(std::shared_ptr<audio::GraphRecord> record);
void GraphRecordFinished();
// The bytes a test registered as the resource name/type (case-insensitive); null when none.
// The bytes stay where they are until the hooks are reset.
const std::vector<uint8_t>* RegisteredResource(const char* name, const char* type);

} // namespace hooks
} // namespace platform
