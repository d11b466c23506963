#include "engine/core/base/SFPS.h"

#include "platform/win32.h"

namespace SCore {

SFPS::SFPS(uint32_t block) : m_Last(timeGetTime()), m_Block(block) {}

float SFPS::Update()
{
    uint32_t now = timeGetTime();
    uint32_t dt = now - m_Last;
    float rate = dt == 0 ? 1000.0f : 1000.0f / float(dt);
    ++m_Count;
    m_Last = now;
    m_Mean = (m_Mean + rate) * 0.5f;
    m_Sum += m_Mean;
    if (m_Count == m_Block) {
        m_Average = m_Sum / float(m_Block);
        m_Count = 0;
        m_Sum = 0.0f;
    }
    return m_Mean;
}

} // namespace SCore
