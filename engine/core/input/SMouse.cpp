#include "engine/core/input/SMouse.h"

namespace SCore {

SMouse::SMouse()
{
    for (int a = 0; a < 3; ++a) {
        m_Position[a] = 0;
        m_Previous[a] = 0;
        m_Minimum[a] = 0;
        m_Maximum[a] = 0;
    }
    for (int b = 0; b < 8; ++b) {
        m_Pressed[b] = 0;
        m_Clicked[b] = 0;
    }
}

void SMouse::MoveTo(int axis, int32_t value)
{
    m_Previous[axis] = m_Position[axis].load();
    m_Position[axis] = value;
}

void SMouse::MoveBy(int axis, int32_t movement)
{
    // Summed in 64 bits: a large movement or sensitivity clamps instead of wrapping.
    int64_t value = int64_t(m_Position[axis]) + int64_t(m_Sensitivity) * movement;
    if (value < m_Minimum[axis]) value = m_Minimum[axis];
    if (value > m_Maximum[axis]) value = m_Maximum[axis];
    MoveTo(axis, int32_t(value));
}

void SMouse::SetButton(int button, bool down)
{
    m_Pressed[button] = down ? 1 : 0;
    m_Clicked[button] = down ? 1 : 0;
}

} // namespace SCore
