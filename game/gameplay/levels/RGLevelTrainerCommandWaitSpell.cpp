#include "game/gameplay/levels/RGLevelTrainerCommandWaitSpell.h"

#include "engine/core/base/TarnCoreException.h"
#include "engine/core/serialization/SDeserializator.h"
#include "game/gameplay/levels/RGLevelTrainer.h"

static const char* const kTarnSource = "..\\Src\\RGLevelTrainerCommandWaitSpell";

namespace Runegarden {

void RGLevelTrainerCommandWaitSpell::Deserialize(SCore::SDeserializator& in)
{
    TARN_TRY
    RGLevelTrainerCommand::Deserialize(in);
    std::string spell;
    in.Deserialize("Spell", spell);
    m_Spell = StringToToolType(spell);
    in.Deserialize("DoneID", m_DoneID);
    in.Deserialize("ErrorID", m_ErrorID);
    TARN_CATCH("RGLevelTrainerCommandWaitSpell::Deserialize()")
}

void RGLevelTrainerCommandWaitSpell::Execute(RGLevelTrainer& trainer)
{
    if (m_NotRegistered) {
        m_NotRegistered = false;
        trainer.AddSpellListener(this);
    }
    if (!m_Fired) return;
    m_Fired = false;
    trainer.JumpToCommand(m_TargetID);
}

void RGLevelTrainerCommandWaitSpell::OnSpell(RGToolType spell)
{
    m_TargetID = spell == m_Spell ? m_DoneID : m_ErrorID;
    m_Fired = true;
}

void RGLevelTrainerCommandWaitSpell::OnSpellError()
{
    m_TargetID = m_ErrorID;
    m_Fired = true;
}

} // namespace Runegarden
