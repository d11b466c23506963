#include "engine/core/render/SRenderDevice.h"

#include "engine/core/base/TarnCoreException.h"

static const char* const kTarnSource = "Src\\SRenderDevice";

namespace SCore {

void SRenderDevice::DoPushTransform(uint32_t type)
{
    TARN_TRY
    m_TransformStack.push_back(DoGetTransform(type));
    TARN_CATCH("SRenderDevice::DoPushTransform()")
}

void SRenderDevice::DoPopTransform(uint32_t type)
{
    TARN_TRY
    if (m_TransformStack.empty()) return; // an unpaired pop changes nothing
    SMatrix last = m_TransformStack.back();
    m_TransformStack.pop_back();
    DoSetTransform(type, last);
    TARN_CATCH("SRenderDevice::DoPopTransform()")
}

} // namespace SCore
