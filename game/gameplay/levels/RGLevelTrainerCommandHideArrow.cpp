#include "game/gameplay/levels/RGLevelTrainerCommandHideArrow.h"

#include "game/gameplay/levels/RGLevelTrainer.h"

namespace Runegarden {

void RGLevelTrainerCommandHideArrow::Execute(RGLevelTrainer& trainer)
{
    trainer.FadeOut(trainer.GetArrowFade());
    trainer.Next();
}

} // namespace Runegarden
