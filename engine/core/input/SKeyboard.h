#pragma once
// The keyboard as the game asks about it: is a key (DIK code) pressed, in the sense of its press
// strategy. The input thread updates it; any thread may ask.

#include "engine/core/input/SKeyboardPressStrategy.h"

#include <boost/shared_ptr.hpp>

#include <initializer_list>

namespace SCore {

class SKeyboard {
public:
    virtual ~SKeyboard() = default;

    virtual void DoUpdate() = 0;
    virtual void DoKill() = 0;
    virtual int IsKeyPressed(BYTE key) { return m_Strategy->IsPressed(key); }
    // Presses of these keys made so far, also those the device has not reported yet, are
    // forgotten: a key held now reads up until it has been released. The caller keeps the input
    // thread's update out (the UI mutex), as this reads the device itself.
    void ForgetPresses(std::initializer_list<BYTE> keys)
    {
        DoUpdate();
        for (BYTE key : keys) m_Strategy->Forget(key);
    }

protected:
    boost::shared_ptr<SKeyboardPressStrategy> m_Strategy;
};

} // namespace SCore
