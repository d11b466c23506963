#include "game/gameplay/objects/RGTile.h"

#include "game/gameplay/objects/RGGeomFactory.h"
#include "game/gameplay/services/RGFiniteValue.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"

static const char* const kTarnSource = "..\\Src\\RGTile";

namespace Runegarden {

RGTile::RGTile() : m_Geometry(RGGeomFactory::Create(0)), m_Body(new RGBody) {}

void RGTile::Update(float dt)
{
    TARN_TRY
    m_Body->Update(dt);
    m_Geometry->Update(m_Body->m_Position, m_HalfSize);
    TARN_CATCH("RGTile::Update()")
}

void RGTile::Deserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    in.BeginChild("Tile");
    in.Deserialize("ID", m_ID);
    in.Deserialize("HalfSize", m_HalfSize);
    RequireFinite("Tile HalfSize", m_HalfSize);
    uint32_t geomType = 0;
    in.Deserialize("GeomType", geomType);
    m_Geometry = RGGeomFactory::Create(geomType);
    m_Body.reset(new RGBody);
    m_Body->Deserialize(in);
    in.EndChild();
    TARN_CATCH("RGTile::Deserialize()")
}

} // namespace Runegarden
