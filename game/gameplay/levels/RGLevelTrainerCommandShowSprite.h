#pragma once
// Shows a picture of the script's own ("Sprite" child) under a name and fades it in; a later
// HideSprite of that name fades it out.

#include "game/gameplay/levels/RGLevelTrainerCommand.h"

#include <boost/shared_ptr.hpp>

#include <string>

namespace TarnEngine {
class SSprite;
class SSpriteTransition;
}

namespace Runegarden {

class RGLevelTrainerCommandShowSprite : public RGLevelTrainerCommand {
public:
    void Execute(RGLevelTrainer& trainer) override;
    void Deserialize(SCore::SDeserializator& in) override;

    std::string m_Name;
    boost::shared_ptr<TarnEngine::SSprite> m_Sprite;
    boost::shared_ptr<TarnEngine::SSpriteTransition> m_Fade;
};

} // namespace Runegarden
