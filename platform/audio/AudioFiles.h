#pragma once
// File access for the audio backends: the layer's path rules and whole-file reads.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {
namespace audio {

// UTF-16 units (one per wchar_t) to UTF-8.
std::string WideUnitsToUtf8(const wchar_t* text);

// Reads the file a program path names; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& programPath, std::vector<char>& bytes);

} // namespace audio
} // namespace platform
