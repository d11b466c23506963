#include "engine/core/input/SKeyboardPressStrategy.h"

#include "engine/core/base/TarnCoreException.h"

namespace SCore {

SKeyboardPressStrategy::SKeyboardPressStrategy()
{
    for (auto& b : m_State) b.store(0, std::memory_order_relaxed);
    for (auto& b : m_DownUnasked) b.store(0, std::memory_order_relaxed);
    for (auto& b : m_Forgotten) b.store(0, std::memory_order_relaxed);
}

void SKeyboardPressStrategy::SetState(const BYTE state[256])
{
    for (int i = 0; i < 256; ++i) {
        if (!(state[i] & 0x80)) {
            // Released: a forgotten key counts again from its next press.
            if (m_Forgotten[i].exchange(0, std::memory_order_relaxed))
                m_DownUnasked[i].store(0, std::memory_order_relaxed);
        } else if (!m_Forgotten[i].load(std::memory_order_relaxed)) {
            m_DownUnasked[i].store(0x80, std::memory_order_relaxed);
        }
        m_State[i].store(state[i], std::memory_order_relaxed);
    }
}

void SKeyboardPressStrategy::Forget(BYTE key)
{
    // Marked before the unasked press is dropped, so an update in between leaves none behind.
    if (m_State[key].load(std::memory_order_relaxed) & 0x80) m_Forgotten[key].store(0x80, std::memory_order_relaxed);
    m_DownUnasked[key].store(0, std::memory_order_relaxed);
}

SKeyboardPressOnce::SKeyboardPressOnce()
{
    for (auto& b : m_Latch) b.store(0, std::memory_order_relaxed);
}

int SKeyboardPressOnce::IsPressed(BYTE key)
{
    const int down = GetState(key) & 0x80;
    const int latched = m_Latch[key].load(std::memory_order_relaxed) & 0x80;
    if (down == latched) return 0;
    if (latched) {
        m_Latch[key].store(0, std::memory_order_relaxed);
        return 0;
    }
    m_Latch[key].store(0x80, std::memory_order_relaxed);
    return 0x80;
}

boost::shared_ptr<SKeyboardPressStrategy> CreateKeyboardPressStrategy(int kind)
{
    // No context entry of its own: the keyboard's constructor adds the one the chain shows.
    switch (kind) {
    case 0: return boost::shared_ptr<SKeyboardPressStrategy>(new SKeyboardPressDefault());
    case 1: return boost::shared_ptr<SKeyboardPressStrategy>(new SKeyboardPressOnce());
    default: throw TarnCoreException("can't create keyboard press strategy");
    }
}

} // namespace SCore
