#include "engine/core/render/SAnimator.h"

#include "engine/core/base/TarnCoreException.h"
#include "platform/win32.h"

static const char* const kTarnSource = "Src\\SAnimator";

namespace SCore {

SAnimator::SAnimator(const std::string& name) : m_Name(name)
{
    m_Start = m_Previous = m_Last = timeGetTime();
}

void SAnimator::Update()
{
    TARN_TRY
    if (m_State == SAS_HOLD) {
        m_Start = m_Last = timeGetTime();
        DoUpdate(0);
        return;
    }
    m_Previous = m_Last;
    m_Last = timeGetTime();
    DoUpdate(m_Last - m_Start);
    TARN_CATCH("SAnimator::Update()")
}

} // namespace SCore
