#pragma once
// Helpers for the audio tests: RIFF/WAVE files built chunk by chunk (so broken ones are easy to
// make), and a wait for a worker thread to reach a state.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace audiotest {

inline std::string Le16(uint16_t v)
{
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

inline std::string Le32(uint32_t v)
{
    return Le16(static_cast<uint16_t>(v & 0xFFFF)) + Le16(static_cast<uint16_t>(v >> 16));
}

// A chunk with its declared size (the payload's unless given) and a pad byte after odd sizes.
inline std::string Chunk(const std::string& id, const std::string& payload, int64_t declared = -1)
{
    const uint32_t size = declared < 0 ? static_cast<uint32_t>(payload.size())
                                       : static_cast<uint32_t>(declared);
    std::string out = id + Le32(size) + payload;
    if (payload.size() % 2) out += '\0';
    return out;
}

inline std::string Riff(const std::string& form, const std::string& chunks, int64_t declared = -1)
{
    const uint32_t size = declared < 0 ? static_cast<uint32_t>(4 + chunks.size())
                                       : static_cast<uint32_t>(declared);
    return "RIFF" + Le32(size) + form + chunks;
}

// The 16-byte PCM format record.
inline std::string Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits)
{
    const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
}

// 16-bit samples as little-endian bytes.
inline std::string Samples16(const std::vector<int16_t>& samples)
{
    std::string out;
    for (int16_t s : samples) out += Le16(static_cast<uint16_t>(s));
    return out;
}

// A plain PCM WAV: 16-bit mono at 22050 Hz unless told otherwise.
inline std::string Wav(const std::string& data, uint16_t channels = 1, uint32_t rate = 22050,
                       uint16_t bits = 16)
{
    return Riff("WAVE", Chunk("fmt ", Format(1, channels, rate, bits)) + Chunk("data", data));
}

// Bytes of silence lasting ms at 16-bit mono 22050 Hz.
inline std::string Silence16(unsigned ms)
{
    return std::string(static_cast<size_t>(22050) * ms / 1000 * 2, '\0');
}

// Waits (in real time, for a worker thread) until the condition holds; false after timeoutMs.
inline bool WaitUntil(const std::function<bool()>& condition, unsigned timeoutMs = 10000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::yield();
    }
    return true;
}

} // namespace audiotest
