#include "engine/framework/scene/STransformation.h"

#include "engine/core/serialization/SDeserializator.h"
#include "engine/core/serialization/SSerializator.h"
#include "engine/core/base/TarnCoreException.h"
#include "engine/framework/drawables/SMathMatrix.h"

static const char* const kTarnSource = "Src\\STransformation";

namespace TarnEngine {

void STransformation::SetIdentity()
{
    m_World = IdentityMatrix();
    m_Rotation = IdentityMatrix();
    m_Position = SCore::SVector3{0.0f, 0.0f, 0.0f};
    m_Scale = SCore::SVector3{1.0f, 1.0f, 1.0f};
    m_Dirty = 0;
}

SCore::SMatrix STransformation::GetWorldMatrix()
{
    TARN_TRY
    if (m_Dirty) {
        SCore::SMatrix scale, translation, scaled;
        MatrixScaling(&scale, m_Scale.X, m_Scale.Y, m_Scale.Z);
        MatrixTranslation(&translation, m_Position.X, m_Position.Y, m_Position.Z);
        MatrixMultiply(&scaled, scale, m_Rotation);
        MatrixMultiply(&m_World, scaled, translation);
        m_Dirty = 0;
    }
    return m_World;
    TARN_CATCH("STransformation::GetWorldMatrix()")
}

void STransformation::DoSerialize(SCore::SSerializator& out)
{
    TARN_TRY
    out.BeginChild("Transform");
    out.Serialize("Position", m_Position);
    out.Serialize("Rotation", m_Rotation);
    out.Serialize("Scale", m_Scale);
    out.EndChild();
    TARN_CATCH("STransformation::DoSerialize()")
}

void STransformation::DoDeserialize(SCore::SDeserializator& in, unsigned int index)
{
    TARN_TRY
    in.BeginChild(index);
    ReadParts(in);
    in.EndChild();
    TARN_CATCH("STransformation::DoDeserialize()")
}

void STransformation::DoDeserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    in.BeginChild("Transform");
    ReadParts(in);
    in.EndChild();
    TARN_CATCH("STransformation::DoDeserialize()")
}

void STransformation::ReadParts(SCore::SDeserializator& in)
{
    in.Deserialize("Position", m_Position);
    in.Deserialize("Rotation", m_Rotation);
    in.Deserialize("Scale", m_Scale);
    m_Dirty = 1;
}

} // namespace TarnEngine
