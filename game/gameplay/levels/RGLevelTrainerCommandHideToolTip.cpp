#include "game/gameplay/levels/RGLevelTrainerCommandHideToolTip.h"

#include "engine/framework/ui/SUIToolTip.h"
#include "game/gameplay/levels/RGLevelTrainer.h"

namespace Runegarden {

void RGLevelTrainerCommandHideToolTip::Execute(RGLevelTrainer& trainer)
{
    trainer.GetToolTip()->Hide();
    trainer.Next();
}

} // namespace Runegarden
