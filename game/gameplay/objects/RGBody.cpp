#include "game/gameplay/objects/RGBody.h"

#include "game/gameplay/services/RGFiniteValue.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"

static const char* const kTarnSource = "..\\Src\\RGBody";

namespace Runegarden {

void RGBody::Update(float dt)
{
    if (m_Mass > 0.0f) {
        m_Velocity.X += (m_Force.X * dt) / m_Mass;
        m_Velocity.Y += (m_Force.Y * dt) / m_Mass;
        m_Velocity.Z += (m_Force.Z * dt) / m_Mass;
        m_Position.X += m_Velocity.X * dt;
        m_Position.Y += m_Velocity.Y * dt;
        m_Position.Z += m_Velocity.Z * dt;
    }
    m_Force = SCore::SVector3();
}

void RGBody::Deserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    in.BeginChild("Body");
    in.Deserialize("ID", m_ID);
    in.Deserialize("Mass", m_Mass);
    in.Deserialize("Position", m_Position);
    in.Deserialize("Velocity", m_Velocity);
    RequireFinite("Body Mass", m_Mass);
    RequireFinite("Body Position", m_Position);
    RequireFinite("Body Velocity", m_Velocity);
    in.EndChild();
    TARN_CATCH("RGBody::Deserialize()")
}

} // namespace Runegarden
