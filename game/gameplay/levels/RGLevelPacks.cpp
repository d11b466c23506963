#include "game/gameplay/levels/RGLevelPacks.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"
#include "game/gameplay/levels/RGLevelPack.h"

static const char* const kTarnSource = "..\\Src\\RGLevelPacks";

namespace Runegarden {

namespace {
boost::shared_ptr<RGLevelPack> gMainPack;
boost::shared_ptr<RGLevelPack> gBonusPack;
} // namespace

void RGLevelMove::Deserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    in.BeginChild("level_move");
    in.Deserialize("force", m_Force);
    in.Deserialize("attenuation", m_Attenuation);
    in.EndChild();
    TARN_CATCH("RGLevelMove::Deserialize()")
}

void RGLevelPacks::Create()
{
    gMainPack.reset(new RGLevelPack);
    gBonusPack.reset(new RGLevelPack);
}

void RGLevelPacks::ApplyLevelMove(const RGLevelMove& move)
{
    for (RGLevelPack* pack : {gMainPack.get(), gBonusPack.get()}) {
        if (!pack) continue;
        pack->m_Force = move.m_Force;
        pack->m_Attenuation = move.m_Attenuation;
    }
}

const boost::shared_ptr<RGLevelPack>& RGLevelPacks::Main() { return gMainPack; }

const boost::shared_ptr<RGLevelPack>& RGLevelPacks::Bonus() { return gBonusPack; }

} // namespace Runegarden
