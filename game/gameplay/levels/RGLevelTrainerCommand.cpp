#include "game/gameplay/levels/RGLevelTrainerCommand.h"

#include "engine/core/serialization/SDeserializator.h"

namespace Runegarden {

void RGLevelTrainerCommand::Deserialize(SCore::SDeserializator& in)
{
    m_ID.clear();
    if (in.IsAvialableName("ID")) in.Deserialize("ID", m_ID);
}

} // namespace Runegarden
