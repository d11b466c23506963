#include "game/gameplay/levels/RGLevelTrainerCommandHideTeacher.h"

#include "game/gameplay/levels/RGLevelTrainer.h"

namespace Runegarden {

void RGLevelTrainerCommandHideTeacher::Execute(RGLevelTrainer& trainer)
{
    trainer.FadeOut(trainer.GetTeacherFade());
    trainer.Next();
}

} // namespace Runegarden
