#pragma once
// The process-wide counter that numbers game objects: each new object takes the current value,
// starting at 0. Objects may be built on the loader thread and the main thread, so it is atomic.

#include <atomic>
#include <cstdint>

namespace Runegarden {

class RGAutoID {
public:
    RGAutoID() = default;
    virtual ~RGAutoID() = default;
    RGAutoID(const RGAutoID&) = delete;
    RGAutoID& operator=(const RGAutoID&) = delete;

    // The current value; the counter moves on by one.
    uint32_t Next() { return m_Counter.fetch_add(1); }
    uint32_t Peek() const { return m_Counter.load(); }

    static RGAutoID& Global();

private:
    std::atomic<uint32_t> m_Counter{0};
};

} // namespace Runegarden
