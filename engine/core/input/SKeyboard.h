#pragma once
// The keyboard as the game asks about it: is a key (DIK code) pressed, in the sense of its press
// strategy. The input thread updates it; any thread may ask.

#include "engine/core/input/SKeyboardPressStrategy.h"

#include <boost/shared_ptr.hpp>

namespace SCore {

class SKeyboard {
public:
    virtual ~SKeyboard() = default;

    virtual void DoUpdate() = 0;
    virtual void DoKill() = 0;
    virtual int IsKeyPressed(BYTE key) { return m_Strategy->IsPressed(key); }

protected:
    boost::shared_ptr<SKeyboardPressStrategy> m_Strategy;
};

} // namespace SCore
