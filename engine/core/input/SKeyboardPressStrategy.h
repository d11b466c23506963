#pragma once
// What "pressed" means for the keyboard: held, or once per press. Keeps the 256-byte key state
// by DIK code (bit 0x80 while down). The input thread writes the state while the main thread
// asks about keys, so every byte is atomic. The input thread may update several times between two
// questions; a key that was down in any of those updates reads down once, so a tap is never lost.
// A forgotten key reads up until an update sees it up: presses meant for an earlier screen are not
// taken by a later one.

#include "platform/wintypes.h"

#include <atomic>
#include <boost/shared_ptr.hpp>

namespace SCore {

class SKeyboardPressStrategy {
public:
    SKeyboardPressStrategy();
    virtual ~SKeyboardPressStrategy() = default;

    // 0 or 0x80.
    virtual int IsPressed(BYTE key) = 0;

    void SetState(const BYTE state[256]);
    // Drops the key's unasked press; held now, it reads up until it has been released.
    void Forget(BYTE key);
    BYTE GetState(BYTE key)
    {
        if (m_Forgotten[key].load(std::memory_order_relaxed)) return 0;
        return m_State[key].load(std::memory_order_relaxed) | m_DownUnasked[key].exchange(0, std::memory_order_relaxed);
    }

private:
    std::atomic<BYTE> m_State[256];
    std::atomic<BYTE> m_DownUnasked[256];
    std::atomic<BYTE> m_Forgotten[256];
};

// Kind 0: a key is pressed while it is held.
class SKeyboardPressDefault : public SKeyboardPressStrategy {
public:
    int IsPressed(BYTE key) override { return GetState(key) & 0x80; }
};

// Kind 1: a held key answers 0x80 to the first question after it went down and 0 after that;
// the latch is released only by a question asked while the key is up.
class SKeyboardPressOnce : public SKeyboardPressStrategy {
public:
    SKeyboardPressOnce();
    int IsPressed(BYTE key) override;

private:
    std::atomic<BYTE> m_Latch[256];
};

// 0 SKeyboardPressDefault, 1 SKeyboardPressOnce; any other kind throws
// "can't create keyboard press strategy".
boost::shared_ptr<SKeyboardPressStrategy> CreateKeyboardPressStrategy(int kind);

} // namespace SCore
