#pragma once
// Waits for the player's next cast: the awaited spell jumps to "DoneID", any other spell or a
// stroke that did not become a cast to "ErrorID". Once reached it listens for the trainer's life,
// so a cast while a later command is current also sets its target.

#include "game/gameplay/levels/RGLevelTrainerCommand.h"
#include "game/gameplay/levels/RGTool.h"

namespace Runegarden {

class RGLevelTrainerCommandWaitSpell : public RGLevelTrainerCommand {
public:
    void Execute(RGLevelTrainer& trainer) override;
    void Deserialize(SCore::SDeserializator& in) override;
    // The trainer tells every listener the outcome of a cast.
    void OnSpell(RGToolType spell);
    void OnSpellError();

    RGToolType m_Spell = RGTT_WALL;
    std::string m_DoneID, m_ErrorID;
    bool m_Fired = false;
    std::string m_TargetID;
    bool m_NotRegistered = true;
};

} // namespace Runegarden
